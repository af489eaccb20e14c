#pragma once

#include "engine/event_node.h"

namespace qsim {

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
