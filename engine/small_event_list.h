#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/event_node.h"

namespace qsim {

// The calendar's order kept literally, as a singly linked list threaded through a
// fixed pool of nodes: an event earlier than the first entry becomes the first;
// otherwise it goes before the first later entry whose time is not less than its
// own. Most models keep a handful of events pending, and at that size a short
// walk beats any tree.
class SmallEventList {
 public:
  static constexpr std::size_t kCapacity = 32;

  bool empty() const { return head_ == kNone; }
  bool full() const { return free_ == kNone; }
  std::size_t size() const { return size_; }

  // REQUIRES: !full().
  void Insert(const EventNode& event) {
    const std::uint8_t node = NewNode(event);
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

  // REQUIRES: !empty().
  const EventNode& First() const { return nodes_[head_]; }

  // REQUIRES: !empty().
  EventNode TakeFirst() {
    const std::uint8_t node = head_;
    head_ = next_[node];
    next_[node] = free_;
    free_ = node;
    --size_;
    return nodes_[node];
  }

  // Keeps the first `count` entries and hands the others to spill(event), the last
  // first. REQUIRES: count >= 1, count < size().
  template <typename Spill>
  void KeepFirst(std::size_t count, Spill&& spill) {
    std::uint8_t last_kept = head_;
    for (std::size_t i = 1; i < count; ++i)
      last_kept = next_[last_kept];
    std::array<std::uint8_t, kCapacity> cut;
    std::size_t cut_count = 0;
    for (std::uint8_t node = next_[last_kept]; node != kNone; node = next_[node])
      cut[cut_count++] = node;
    next_[last_kept] = kNone;
    size_ = count;
    while (cut_count > 0) {
      const std::uint8_t node = cut[--cut_count];
      spill(nodes_[node]);
      next_[node] = free_;
      free_ = node;
    }
  }

  void Clear() {
    size_ = 0;
    head_ = kNone;
    free_ = 0;
    next_ = FreeChain();
  }

 private:
  static constexpr std::uint8_t kNone = 0xFF;

  std::uint8_t NewNode(const EventNode& event) {
    ++size_;
    const std::uint8_t node = free_;
    free_ = next_[node];
    nodes_[node] = event;
    return node;
  }

  static constexpr std::array<std::uint8_t, kCapacity> FreeChain() {
    std::array<std::uint8_t, kCapacity> chain{};
    for (std::size_t i = 0; i < kCapacity; ++i) {
      chain[i] = i + 1 < kCapacity ? static_cast<std::uint8_t>(i + 1) : kNone;
    }
    return chain;
  }

  std::size_t size_ = 0;
  std::uint8_t head_ = kNone;
  std::uint8_t free_ = 0;
  std::array<std::uint8_t, kCapacity> next_ = FreeChain();
  std::array<EventNode, kCapacity> nodes_;
};

}  // namespace qsim
