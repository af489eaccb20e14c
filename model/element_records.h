#pragma once

#include <array>
#include <cstdint>

#include "model/element_kinds.h"
#include "model/element_name.h"
#include "model/limits.h"
#include "model/transition_entry.h"

namespace qsim {

struct RequestRecord;  // a request travelling through the model; owned by the engine

// Fields of a request source (keyword `generator`). The definition fields come from
// the model text; the run-time fields are the state and statistics of the last run.
struct GeneratorRecord {
  bool exists = false;
  ElementName name;
  std::int32_t xc = 0;
  std::int32_t yc = 0;
  double la = 0;           // intensity: requests per unit of model time
  double disp = 0;         // variance of the interval between requests
  std::int32_t prior = 0;  // priority stamped on every request (smaller is served first)
  DistributionKind rasp = 0;
  std::int32_t transfer = 0;  // number of valid transitions, 0..30
  TransitionTable transitions;

  // Run-time fields.
  std::int32_t served = 0;
  std::int32_t unserved = 0;
  double sum_stay = 0;
  double max_stay = 0;
  double min_stay = 0;
  std::int32_t route_index = 0;
  TargetKind route_kind = TargetKind::None;
  std::int32_t bad_durations = 0;  // intervals drawn zero or negative

  // The range of a series of runs over la; not part of the model text.
  double sweep_from = 0;
  double sweep_to = 0;
  double sweep_step = 0;
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

  // Run-time fields. Places are numbered from 1; index 0 of the arrays is unused.
  double last_change = 0;
  double len_area = 0;
  std::int32_t entries = 0;
  std::int32_t zero_entries = 0;
  double max_wait = 0;
  double sum_wait = 0;
  std::int32_t max_len = 0;
  std::int32_t cur_len = 0;
  std::array<std::int32_t, kMaxQueuePlaces + 1> tickets{};
  std::array<RequestRecord*, kMaxQueuePlaces + 1> slots{};
  std::int32_t route_index = 0;
  TargetKind route_kind = TargetKind::None;
  std::int32_t refusals = 0;  // arrivals refused at a full queue

  // The range of a series of runs over len; not part of the model text.
  std::int32_t sweep_from = 0;
  std::int32_t sweep_to = 0;
  double sweep_step = 0;
};

// A multi-channel service device (keyword `device`).
struct DeviceRecord {
  bool exists = false;
  ElementName name;
  std::int32_t xc = 0;
  std::int32_t yc = 0;
  std::int32_t k = 0;  // channels; 1..50 once validated
  double v = 0;        // mean service time
  double disp = 0;     // variance of the service time
  DistributionKind rasp = 0;
  std::int32_t transfer = 0;
  TransitionTable transitions;

  // Run-time fields. Channels are numbered 1..50; index 0 of the arrays is unused.
  std::array<double, kMaxChannels + 1> release_time{};
  std::int32_t free_channels = 0;
  std::array<RequestRecord*, kMaxChannels + 1> channels{};
  double last_change = 0;
  double busy_area = 0;
  std::int32_t route_index = 0;
  TargetKind route_kind = TargetKind::None;
  double service_sum = 0;
  std::int32_t max_busy = 0;
  std::int32_t starts = 0;
  std::int32_t bad_durations = 0;  // service times drawn zero or negative

  // The ranges of series of runs over v and over k; not part of the model text.
  double sweep_v_from = 0;
  double sweep_v_to = 0;
  double sweep_v_step = 0;
  std::int32_t sweep_k_from = 0;
  std::int32_t sweep_k_to = 0;
  double sweep_k_step = 0;
};

// Sets every field the model text can set (name, position, parameters, transitions)
// to its initial value and leaves `exists`, the run-time fields and the sweep
// ranges alone: an element read afresh owes nothing to what its slot held before.
void ResetDefinition(GeneratorRecord& g);
void ResetDefinition(QueueRecord& q);
void ResetDefinition(DeviceRecord& d);

}  // namespace qsim
