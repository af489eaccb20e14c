#pragma once

#include <string>

#include "foundation/number_format.h"
#include "model/model_store.h"
#include "results/traffic_analysis.h"

namespace qsim {

// The warning after a run whose laws gave durations that cannot be: zero or
// negative intervals and service times, and events scheduled before the model time
// at which they were scheduled. Windows-1251 plain text, ending with a full stop;
// empty when the run gave none. Elements are listed by their count, the largest
// first, then in slot order (generators before devices), counts grouped in
// thousands: "Внимание: в ходе расчета получено 2 351 отрицательных или нулевых
// длительностей (устройство 1 (D): 2 311; генератор 1 (Gen): 40). Закон ...".
//
// The formulas of the laws stay as they are, since stored models rely on them; the
// warning makes sure nobody takes such a run's results for real ones.
std::string DurationWarning(const ModelStore& store);

// The warning before a run of a system without refusals in which the traffic
// equations offer a device at least as much work as its channels can do (load per
// channel 1 or more): the requests that wait for it pile up without bound, and a
// run by time lasts the longer the later its end. Windows-1251, one sentence per
// such device; empty when there is none, or when full queues refuse arrivals,
// which keeps every queue finite.
std::string OverloadWarning(const ModelStore& store, const TrafficAnalysis& analysis,
                            const NumberFormat& format);

}  // namespace qsim
