#pragma once

#include <array>
#include <cstdint>

#include "model/limits.h"

namespace qsim {

struct RequestRecord;

// What a queue holds during a run: the requests waiting in its places, the ticket
// each got on arrival, how many wait and since when that count has stood (for
// the time-weighted mean length). Places are numbered from 1; index 0 is unused.
// It lives for one run and is no part of the model.
struct QueueRunState {
  std::int32_t cur_len = 0;
  double last_change = 0;
  std::array<std::int32_t, kMaxQueuePlaces + 1> tickets{};
  std::array<RequestRecord*, kMaxQueuePlaces + 1> slots{};
};

// What a device holds during a run: the request in each channel and when the
// channel will be released, how many channels are free and since when that count
// has stood (for the time-weighted utilisation). Channels are numbered 1..50;
// index 0 is unused. It lives for one run and is no part of the model.
struct DeviceRunState {
  std::int32_t free_channels = 0;
  double last_change = 0;
  std::array<double, kMaxChannels + 1> release_time{};
  std::array<RequestRecord*, kMaxChannels + 1> channels{};
};

}  // namespace qsim
