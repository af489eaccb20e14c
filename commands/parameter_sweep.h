#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/run_controls.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// A parameter of one element that a series of runs varies.
enum class SweepField {
  Intensity,    // a generator's la
  Length,       // a queue's len, whole numbers
  ServiceTime,  // a device's v
  Channels,     // a device's k, whole numbers
};

// Whether the field takes whole numbers only (a length and a channel count).
inline bool IsWholeNumberField(SweepField field) {
  return field == SweepField::Length || field == SweepField::Channels;
}

struct SweepParameter {
  ElementKind kind = ElementKind::Generator;
  int slot = 1;
  SweepField field = SweepField::Intensity;
};

// The values a parameter takes: `steps` values evenly from `from` to `to`, both
// included (one step: `from` alone). Whole-number fields are rounded.
struct SweepRange {
  SweepParameter parameter;
  double from = 0;
  double to = 0;
  int steps = 1;
};

// One statistic over the replications of a point: their mean and the half-width
// of its 95 % confidence interval (none for a single replication). Runs where the
// statistic has no value (a division by zero) are left out; none at all: no mean.
struct SweepStatistic {
  std::optional<double> mean;
  std::optional<double> half_width;
};

// The statistics of one point of a series, per element in use, in slot order.
struct SweepPoint {
  double value = 0;
  std::vector<SweepStatistic> statistics;        // in the order of SweepColumns
  std::vector<std::optional<double>> predicted;  // SweepPredictions of the point's model
  std::string warning;  // the first DurationWarning of its runs (Windows-1251), or empty
};

// Names of the statistics columns for the elements in use: for each generator
// served, refused and mean stay; for each queue mean length and mean wait; for
// each device utilisation ("generator_1_served", "queue_2_mean_wait", ...).
std::vector<std::string> SweepColumns(const ModelStore& store);

// What queueing theory predicts for each column of SweepColumns where it applies
// (see AnalyzeTraffic): a queue's mean length and mean wait, and a device's
// utilisation, for a queue and device that form an M/M/c/K or M/M/c system; no
// value elsewhere.
std::vector<std::optional<double>> SweepPredictions(const ModelStore& store);

// The most values one range takes.
inline constexpr int kMaxSweepSteps = 100000;

// Checks that the parameter names an element in use and a field of its kind, and
// that the range is usable: finite ends whose values (rounded for whole-number
// fields) all lie in the field's domain, where a run takes them as they are (an
// intensity of at least 1, a length of 1 to 200, 1 to 50 channels, a service time
// above 0; the model check would correct or refuse any other). Returns the message
// of what is wrong (Windows-1251).
std::optional<std::string> SweepRangeFault(const ModelStore& store, const SweepRange& range);

// The series as CSV (UTF-8): a header row ("value", then every column, with a
// "_ci95" column after each when there are replications), then a row per point.
// Without `with_values` (a series of the model as it is) the value cells stay empty.
std::string SweepCsv(const std::vector<std::string>& columns, const std::vector<SweepPoint>& points,
                     bool with_intervals, bool with_values = true);

}  // namespace qsim
