#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "engine/run_progress.h"
#include "foundation/number_format.h"
#include "model/run_settings.h"

namespace qsim {

class RunStatistics;

// The most events one run takes. Every event raises each 32-bit counter of the
// records (a queue's entries and tickets, a device's starts) by one at most, so no
// run of this many events can overflow one.
inline constexpr std::int64_t kMaxRunEvents = std::numeric_limits<std::int32_t>::max();

// Consecutive events that leave model time where it was, or take it back, after
// which a run counts as stalled. No model meets this many at one instant while its
// time still advances: at most 150 x 400 requests wait in places, 150 x 50 hold
// channels and 150 generators make new ones, and each request takes a handful of
// events at one instant, well under half a million in all. A stalled run (a
// retry interval of 0 at a full queue, durations that are all zero or negative)
// reaches it within about a second.
inline constexpr std::int64_t kStallEvents = 10'000'000;

// Requests alive at once after which a run stops: a request and its pending event
// take about a hundred bytes, so about a gigabyte. Requests pile up only where they
// retry a full queue faster than it empties; without retries at most 150 x 400
// wait in places and 150 x 50 hold channels.
inline constexpr std::int64_t kMaxLiveRequests = 10'000'000;

// How a run may be watched and stopped from outside. A run that cannot end is
// stopped by one of its limits rather than hanging the program.
struct RunControls {
  const std::atomic<bool>* cancel = nullptr;         // checked every few thousand events
  std::function<void(const RunProgress&)> progress;  // called as often
  std::int64_t max_events = 0;                       // 0 or above kMaxRunEvents: kMaxRunEvents
  std::int64_t stall_events = kStallEvents;          // at least 1
  std::int64_t max_requests = kMaxLiveRequests;      // requests alive at once
  // Watches the event loop for the figures beyond the report (may be null).
  RunStatistics* statistics = nullptr;
  // Asked as often as `progress`: true ends the run as finished, its figures
  // precise enough. Empty: the model's stop condition alone ends it.
  std::function<bool()> precise_enough;
};

// The event limit a run with these controls keeps.
constexpr std::int64_t EventLimit(const RunControls& controls) {
  return controls.max_events > 0 && controls.max_events < kMaxRunEvents ? controls.max_events
                                                                        : kMaxRunEvents;
}

enum class RunOutcome {
  Finished,         // the stop condition of the model was reached
  Cancelled,        // the cancel flag was raised
  EventLimit,       // the event limit was reached
  Stalled,          // stall_events events in a row did not advance model time
  TooManyRequests,  // more than max_requests requests were alive at once
};

struct RunResult {
  RunOutcome outcome = RunOutcome::Finished;
  std::int64_t events = 0;
  double now = 0;  // model time when the run stopped
  // Requests alive when the run stopped: waiting, in a channel, or on their way
  // to their next event. The end of the run removes them all as unserved.
  std::int64_t live_requests = 0;
  bool precision_reached = false;  // precise_enough ended it
  bool protocol_written = false;   // the calendar held events, so the protocol was opened
};

// Whether a run has a report. A run stopped by its event limit or from outside has
// one for the model time it reached; a stalled run, or one that piled up too many
// requests, has none: its statistics are not those of the model.
constexpr bool HasReport(RunOutcome outcome) {
  return outcome == RunOutcome::Finished || outcome == RunOutcome::Cancelled ||
         outcome == RunOutcome::EventLimit;
}

// Whether the command that made the run writes a report of it: `run` does, while
// `analyze`, `bench` and the runs of a series never do.
enum class ReportOfRun { Written, None };

// Why a run did not finish, as the shells show it (Windows-1251, without the final
// full stop; times written with `format`), and what became of its report; empty for
// a finished run.
std::string RunOutcomeMessage(const RunResult& result, const NumberFormat& format,
                              ReportOfRun report);

}  // namespace qsim
