#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/event_calendar.h"
#include "engine/event_node.h"

namespace qsim {

// The calendar's first heap, kept as the baseline of the benchmarks and a second
// subject of the calendar's stress test: a binary min-heap of whole events, each
// with a 64-bit stamp, so that every sift moves 48 bytes.
class BinaryEventHeap {
 public:
  void Push(const EventNode& event) {
    const Entry entry{event, next_stamp_++};
    std::size_t hole = entries_.size();
    entries_.push_back(entry);
    while (hole > 0) {
      const std::size_t parent = (hole - 1) / 2;
      if (!Earlier(entry, entries_[parent]))
        break;
      entries_[hole] = entries_[parent];
      hole = parent;
    }
    entries_[hole] = entry;
  }

  EventNode Pop() {
    const EventNode top = entries_.front().event;
    const Entry last = entries_.back();
    entries_.pop_back();
    const std::size_t size = entries_.size();
    std::size_t hole = 0;
    for (;;) {
      std::size_t child = 2 * hole + 1;
      if (child >= size)
        break;
      if (child + 1 < size && Earlier(entries_[child + 1], entries_[child]))
        ++child;
      if (!Earlier(entries_[child], last))
        break;
      entries_[hole] = entries_[child];
      hole = child;
    }
    if (size > 0)
      entries_[hole] = last;
    return top;
  }

  // Time of the earliest event. REQUIRES: !empty().
  double TopTime() const { return entries_.front().event.time; }
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    EventNode event;
    std::uint64_t stamp;
  };

  // Newest first among equal times.
  static bool Earlier(const Entry& a, const Entry& b) {
    return a.event.time < b.event.time || (a.event.time == b.event.time && a.stamp > b.stamp);
  }

  std::vector<Entry> entries_;
  std::uint64_t next_stamp_ = 0;
};

using BinaryHeapCalendar = BasicEventCalendar<BinaryEventHeap>;

}  // namespace qsim
