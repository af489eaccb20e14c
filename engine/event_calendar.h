#pragma once

#include <cstddef>

#include "engine/event_heap.h"
#include "engine/event_node.h"
#include "engine/small_event_list.h"

namespace qsim {

// The pending events of a run, in non-decreasing time, with this order among
// equal times: the first entry is never displaced by an event of its own time,
// and among the later entries of one time the most recently scheduled comes
// first. (Calendar A, B at time t; scheduling C at t gives A, C, B; then D at t
// gives A, D, C, B.) An event earlier than the first entry becomes the first.
//
// The calendar is a short literal list at the front, a SmallEventList, and a Heap
// behind it that orders by time and then newest first; every entry of the list
// comes before every entry of the heap. An event whose place is among the front
// entries (most events are scheduled at the current time) is linked into the list
// as the plain rule says; one whose place is in the heap is pushed there. When the
// list is full its tail is pushed into the heap: it precedes every entry there,
// and as the newest entry it stays ahead of the others of its time. When the list
// runs empty it takes the heap's first entry. A calendar of up to 32 events is thus
// the list alone; a large one costs O(log n) per event in its heap. Storage is
// reused, so a run allocates nothing per event once the calendar has reached its
// largest size.
//
// Heap: Push(event), Pop() of the earliest (newest first among equal times),
// TopTime(), size(), empty(), Clear().
template <typename Heap>
class BasicEventCalendar {
 public:
  // Enters a copy of the event.
  // REQUIRES: event.time is not NaN.
  void Schedule(const EventNode& event) {
    if (!rest_.empty()) {
      if (front_.size() >= kFrontWithHeap)
        SpillFront();
      if (event.time > rest_.TopTime())
        return rest_.Push(event);
    } else if (front_.full()) {
      SpillFront();
      if (event.time > rest_.TopTime())
        return rest_.Push(event);
    }
    front_.Insert(event);
  }

  bool empty() const { return front_.empty(); }
  std::size_t size() const { return front_.size() + rest_.size(); }

  // The earliest event. REQUIRES: !empty().
  const EventNode& First() const { return front_.First(); }

  // Removes the earliest event and returns it. REQUIRES: !empty().
  EventNode TakeFirst() {
    const EventNode taken = front_.TakeFirst();
    if (front_.empty() && !rest_.empty())
      front_.Insert(rest_.Pop());
    return taken;
  }

  // Drops every pending event.
  void Clear() {
    rest_.Clear();
    front_.Clear();
  }

 private:
  // Front entries kept while the heap holds events. A short list keeps the walk of
  // an insertion short; one of a few entries takes the events of the current time.
  static constexpr std::size_t kFrontWithHeap = 8;

  // Moves the tail of the list into the heap, last entry first, so that the
  // earlier an entry stood the newer it is among the heap's entries of its time.
  void SpillFront() {
    front_.KeepFirst(kFrontWithHeap - 1, [this](const EventNode& event) { rest_.Push(event); });
  }

  SmallEventList front_;
  Heap rest_;
};

using EventCalendar = BasicEventCalendar<EventHeap<>>;

}  // namespace qsim
