#pragma once

#include <array>
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
// A small calendar (most models keep a handful of events pending) is a linked
// list in a fixed pool of nodes, which beats any tree at that size. A large one keeps
// its first entry apart and the others in a binary heap ordered by time and then
// by a stamp that grows with every insertion, newest first; an entry displaced
// from the front takes a fresh stamp, so it stays ahead of the later entries of
// its time, as in a list. Schedule and TakeFirst are O(log n); storage is reused,
// so a run allocates nothing per event once the calendar has reached its largest
// size.
class EventCalendar {
 public:
  // Enters a copy of the event.
  // REQUIRES: event.time is not NaN.
  void Schedule(const EventNode& event) {
    if (small_) {
      if (free_ != kNone)
        return InsertSmall(event);
      MoveToHeap();
    }
    ScheduleLarge(event);
  }

  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }

  // The earliest event. REQUIRES: !empty().
  const EventNode& First() const { return small_ ? nodes_[head_] : first_; }

  // Removes the earliest event and returns it. REQUIRES: !empty().
  EventNode TakeFirst() {
    --size_;
    if (small_) {
      const std::uint8_t node = head_;
      head_ = next_[node];
      next_[node] = free_;
      free_ = node;
      return nodes_[node];
    }
    const EventNode taken = first_;
    first_ = PopRest();
    if (rest_.size() < kBackToSmall)
      MoveToList();
    return taken;
  }

  // Drops every pending event.
  void Clear() {
    rest_.clear();
    ClearSmall();
  }

 private:
  // Sizes at which the calendar changes form; apart, so that it does not change
  // back and forth at every event.
  static constexpr std::size_t kSmallCapacity = 32;
  static constexpr std::size_t kBackToSmall = 8;

  struct Entry {
    EventNode event;
    std::uint64_t stamp;
  };

  // True when a must come before b.
  static bool Earlier(const Entry& a, const Entry& b) {
    return a.event.time < b.event.time || (a.event.time == b.event.time && a.stamp > b.stamp);
  }

  // The list rule: before everything if earlier than the first entry, otherwise
  // before the first later entry whose time is not less than the event's.
  void InsertSmall(const EventNode& event) {
    ++size_;
    const std::uint8_t node = free_;
    free_ = next_[node];
    nodes_[node] = event;
    if (head_ == kNone || event.time < nodes_[head_].time) {
      next_[node] = head_;
      head_ = node;
      return;
    }
    std::uint8_t before = head_;
    while (next_[before] != kNone && nodes_[next_[before]].time < event.time) {
      before = next_[before];
    }
    next_[node] = next_[before];
    next_[before] = node;
  }
  void ScheduleLarge(const EventNode& event) {
    ++size_;
    if (event.time < first_.time) {
      Push(first_);
      first_ = event;
    } else {
      Push(event);
    }
  }
  void MoveToHeap();
  void MoveToList();
  void Push(const EventNode& event) { PushEntry({event, next_stamp_++}); }
  void PushEntry(const Entry& entry);
  EventNode PopRest();

  // Small form: a singly linked list threaded through a fixed pool of nodes.
  static constexpr std::uint8_t kNone = 0xFF;
  void ClearSmall();

  bool small_ = true;
  std::size_t size_ = 0;
  std::uint8_t head_ = kNone;
  std::uint8_t free_ = 0;
  std::array<std::uint8_t, kSmallCapacity> next_ = FreeChain();
  std::array<EventNode, kSmallCapacity> nodes_;

  static constexpr std::array<std::uint8_t, kSmallCapacity> FreeChain() {
    std::array<std::uint8_t, kSmallCapacity> chain{};
    for (std::size_t i = 0; i < kSmallCapacity; ++i) {
      chain[i] = i + 1 < kSmallCapacity ? static_cast<std::uint8_t>(i + 1) : kNone;
    }
    return chain;
  }

  // Large form: the first entry and a binary min-heap under Earlier.
  EventNode first_;
  std::vector<Entry> rest_;
  std::uint64_t next_stamp_ = 0;
};

}  // namespace qsim
