#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/code_page.h"
#include "foundation/number_format.h"
#include "model/element_records.h"

namespace qsim {

// Written in a statistics cell whose divisor is zero (a generator without removed
// requests, a device without service starts, a mean over a model time of 0): an
// em dash, the usual mark of a cell without a value, which cannot be taken for a
// number.
inline constexpr std::string_view kNoValueMark = "—"_cp;

// The computed values behind the cells; none where the divisor is zero. The
// means of a queue that no request entered are 0.
std::optional<double> MeanStay(const GeneratorRecord& generator);
std::optional<double> MeanQueueLength(const QueueRecord& queue, double now);
std::optional<double> MeanWait(const QueueRecord& queue);
std::optional<double> Utilisation(const DeviceRecord& device, double now);

// The cells of one row of the report's computed tables, exactly as the report
// writes them (Windows-1251, HTML), in column order. The first cell names the
// element: slot, ". ", name. `now` is the model time at the end of the run.
//
// Generator: name, served, unserved, mean stay, min stay, max stay.
std::vector<std::string> GeneratorStatisticsCells(int slot, const GeneratorRecord& generator,
                                                  const NumberFormat& format);
// Queue: name, max length, entries, zero-wait entries, mean length, mean wait,
// mean wait of the entries that waited, max wait. The three means are 0 when no
// request entered.
std::vector<std::string> QueueStatisticsCells(int slot, const QueueRecord& queue, double now,
                                              const NumberFormat& format);
// Device: name, service starts, utilisation, mean service time, mean busy
// channels, max busy channels.
std::vector<std::string> DeviceStatisticsCells(int slot, const DeviceRecord& device, double now,
                                               const NumberFormat& format);

}  // namespace qsim
