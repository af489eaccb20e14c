#pragma once

#include <cstdint>
#include <type_traits>

#include "model/element_kinds.h"
#include "model/element_name.h"
#include "model/limits.h"
#include "model/transition_entry.h"

namespace qsim {

// The records hold what the model text says about an element, and beside it the
// statistics of the last run, filled by the engine and read by the report. What an
// element holds while a run goes on belongs to the engine; ranges of a series of
// runs belong to the sweep plan. Records stay trivially copyable: an undo snapshot
// compares and copies them as bytes.
//
// `disp` is a spread relative to the mean, not a variance: the uniform, normal and
// shifted-logarithm laws spread their draws by mean x disp, the Erlang and
// lognormal laws take it as the coefficient of variation, and the other laws
// ignore it (see RandomGenerator::Variate).

// Statistics of a source's requests removed in the last run.
struct GeneratorRunStats {
  std::int32_t served = 0;
  std::int32_t unserved = 0;  // refused at a full queue or left in the model at the end
  double sum_stay = 0;
  double max_stay = 0;
  double min_stay = 0;
  std::int32_t bad_durations = 0;  // intervals drawn zero or negative
};

// A request source (keyword `generator`).
struct GeneratorRecord {
  bool exists = false;
  ElementName name;
  std::int32_t xc = 0;
  std::int32_t yc = 0;
  double la = 0;           // intensity: requests per unit of model time
  double disp = 0;         // spread of the interval between requests, relative to its mean
  std::int32_t prior = 0;  // priority stamped on every request (smaller is served first)
  DistributionKind rasp = 0;
  std::int32_t transfer = 0;  // number of valid transitions, 0..30
  TransitionTable transitions;

  GeneratorRunStats stats;
};

// Statistics of a queue in the last run.
struct QueueRunStats {
  double len_area = 0;  // integral of the queue's length over model time
  std::int32_t entries = 0;
  std::int32_t zero_entries = 0;  // entries served without waiting
  double max_wait = 0;
  double sum_wait = 0;
  std::int32_t max_len = 0;
  std::int32_t refusals = 0;  // arrivals refused at a full queue
};

// A finite queue (keyword `queue`).
struct QueueRecord {
  bool exists = false;
  ElementName name;
  std::int32_t xc = 0;
  std::int32_t yc = 0;
  std::int32_t len = 0;  // waiting places; 1..200 once validated
  QueueDiscipline discip = 0;
  std::int32_t transfer = 0;
  TransitionTable transitions;

  QueueRunStats stats;
};

// Statistics of a device in the last run.
struct DeviceRunStats {
  double busy_area = 0;  // integral of the busy channels over model time
  double service_sum = 0;
  std::int32_t max_busy = 0;
  std::int32_t starts = 0;         // service starts
  std::int32_t bad_durations = 0;  // service times drawn zero or negative
};

// A multi-channel service device (keyword `device`).
struct DeviceRecord {
  bool exists = false;
  ElementName name;
  std::int32_t xc = 0;
  std::int32_t yc = 0;
  std::int32_t k = 0;  // channels; 1..50 once validated
  double v = 0;        // mean service time
  double disp = 0;     // spread of the service time, relative to its mean
  DistributionKind rasp = 0;
  std::int32_t transfer = 0;
  TransitionTable transitions;

  DeviceRunStats stats;
};

static_assert(std::is_trivially_copyable_v<GeneratorRecord> &&
              std::is_trivially_copyable_v<QueueRecord> &&
              std::is_trivially_copyable_v<DeviceRecord>);

// Sets every field the model text can set (name, position, parameters, transitions)
// to its initial value and leaves `exists` and the statistics alone: an element read
// afresh owes nothing to what its slot held before, and its statistics are the last
// run's until the next run replaces them.
void ResetDefinition(GeneratorRecord& g);
void ResetDefinition(QueueRecord& q);
void ResetDefinition(DeviceRecord& d);

}  // namespace qsim
