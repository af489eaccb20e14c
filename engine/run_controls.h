#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "engine/event_node.h"

namespace qsim {

// Where a run stands; reported every few thousand events.
struct RunProgress {
  std::int64_t events = 0;     // events taken from the calendar
  std::int32_t generated = 0;  // requests generated
  double now = 0;              // model time
};

// How a run may be watched and stopped from outside. A run that cannot end (model
// time that stops advancing) is stopped this way rather than hanging the program.
struct RunControls {
  const std::atomic<bool>* cancel = nullptr;         // checked every few thousand events
  std::function<void(const RunProgress&)> progress;  // called as often
  std::int64_t max_events = 0;                       // 0: no limit
};

enum class RunOutcome {
  Finished,    // the stop condition of the model was reached
  Cancelled,   // the cancel flag was raised
  EventLimit,  // max_events events were taken
};

struct RunResult {
  RunOutcome outcome = RunOutcome::Finished;
  std::int64_t events = 0;
  bool protocol_written = false;  // the calendar held events, so the protocol was opened
};

// Receives the events of a run in the order they are taken, before each is handled.
// The protocol is one.
class EventObserver {
 public:
  virtual ~EventObserver() = default;
  // Called once, when the first event is about to be taken.
  virtual void RunStarted() = 0;
  // The event as taken from the calendar; its request, if any, is still alive.
  virtual void EventTaken(const EventNode& event) = 0;
  // Called once after the last event, also when the run is stopped from outside.
  virtual void RunFinished() = 0;
};

}  // namespace qsim
