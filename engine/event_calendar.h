#pragma once

#include <cstdint>
#include <vector>

#include "engine/event_node.h"

namespace qsim {

// The pending events of a run, in non-decreasing time, with this order among
// equal times: the first entry is never displaced by an event of its own time,
// and among the later entries of one time the most recently scheduled comes
// first. (Calendar A, B at time t; scheduling C at t gives A, C, B; then D at t
// gives A, D, C, B.) An event earlier than the first entry becomes the first.
//
// The first entry is kept apart; the others live in a binary heap ordered by time
// and then by a stamp that grows with every insertion, newest first. An entry
// displaced from the front takes a fresh stamp, so it stays ahead of the later
// entries of its time, as it would in a list. Schedule and TakeFirst are
// O(log n); the heap's storage is reused, so a run allocates nothing per event
// once the calendar has reached its largest size.
class EventCalendar {
 public:
  // Enters a copy of the event.
  // REQUIRES: event.time is not NaN.
  void Schedule(const EventNode& event) {
    if (!has_first_) {
      first_ = event;
      has_first_ = true;
    } else if (event.time < first_.time) {
      Push(first_);
      first_ = event;
    } else {
      Push(event);
    }
  }

  bool empty() const { return !has_first_; }
  std::size_t size() const { return has_first_ ? rest_.size() + 1 : 0; }

  // The earliest event. REQUIRES: !empty().
  const EventNode& First() const { return first_; }

  // Removes the earliest event and returns it. REQUIRES: !empty().
  EventNode TakeFirst() {
    const EventNode taken = first_;
    if (rest_.empty()) {
      has_first_ = false;
    } else {
      first_ = PopRest();
    }
    return taken;
  }

  // Drops every pending event.
  void Clear() {
    rest_.clear();
    has_first_ = false;
  }

 private:
  struct Entry {
    EventNode event;
    std::uint64_t stamp;
  };

  // True when a must come before b.
  static bool Earlier(const Entry& a, const Entry& b) {
    return a.event.time < b.event.time || (a.event.time == b.event.time && a.stamp > b.stamp);
  }

  void Push(const EventNode& event);
  EventNode PopRest();

  EventNode first_;
  bool has_first_ = false;
  std::vector<Entry> rest_;  // a binary min-heap under Earlier
  std::uint64_t next_stamp_ = 0;
};

}  // namespace qsim
