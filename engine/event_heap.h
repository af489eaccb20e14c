#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/event_node.h"

namespace qsim {

struct RequestRecord;

// Pending events in order of time and, among equal times, newest first: a 4-ary
// min-heap of 16-byte keys (time, and one word holding a stamp and the index of the
// event's other fields), with those fields kept apart in a pool. A sift moves keys
// only, and the four children of a node are compared within one or two cache
// lines, so a heap of thousands of events costs little more than its comparisons.
//
// Stamps count down from kStampLimit, so the newest key has the smallest word.
// When they run out (after kStampLimit pushes without the heap running empty) the
// keys are stamped afresh in their present order.
// REQUIRES: fewer than kStampLimit events pending at once.
template <std::uint32_t kStampLimit = 0xFFFFFFFF>
class EventHeap {
 public:
  // REQUIRES: event.time is not NaN.
  void Push(const EventNode& event) {
    if (stamp_ == 0)
      Restamp();
    const std::uint32_t index = NewPayload(event);
    SiftUp({event.time, std::uint64_t{stamp_--} << 32 | index});
  }

  // Removes the earliest event and returns it. REQUIRES: !empty().
  EventNode Pop() {
    const Key top = keys_.front();
    const Key last = keys_.back();
    keys_.pop_back();
    if (keys_.empty()) {
      stamp_ = kStampLimit;
    } else {
      SiftDown(last);
    }
    const auto index = static_cast<std::uint32_t>(top.order);
    free_.push_back(index);
    const Payload& p = payload_[index];
    return {top.time, p.element, p.request, p.from_queue, p.from_slot, p.kind};
  }

  // Time of the earliest event. REQUIRES: !empty().
  double TopTime() const { return keys_.front().time; }
  bool empty() const { return keys_.empty(); }
  std::size_t size() const { return keys_.size(); }

  void Clear() {
    keys_.clear();
    payload_.clear();
    free_.clear();
    stamp_ = kStampLimit;
  }

 private:
  struct Key {
    double time;
    std::uint64_t order;  // stamp << 32 | payload index
  };
  // The fields of an event besides its time.
  struct Payload {
    RequestRecord* request;
    std::int32_t element;
    std::int32_t from_queue;
    std::int32_t from_slot;
    EventKind kind;
  };

  static bool Earlier(const Key& a, const Key& b) {
    return a.time < b.time || (a.time == b.time && a.order < b.order);
  }

  std::uint32_t NewPayload(const EventNode& e) {
    const Payload p{e.request, e.element, e.from_queue, e.from_slot, e.kind};
    if (free_.empty()) {
      payload_.push_back(p);
      return static_cast<std::uint32_t>(payload_.size() - 1);
    }
    const std::uint32_t index = free_.back();
    free_.pop_back();
    payload_[index] = p;
    return index;
  }

  // Adds `key` in a new hole at the end of the heap, moving it up.
  void SiftUp(const Key& key) {
    std::size_t hole = keys_.size();
    keys_.emplace_back();
    while (hole > 0) {
      const std::size_t parent = (hole - 1) / 4;
      if (!Earlier(key, keys_[parent]))
        break;
      keys_[hole] = keys_[parent];
      hole = parent;
    }
    keys_[hole] = key;
  }

  // Fills the hole at the root with `key` (the former last key), moving it down.
  void SiftDown(const Key& key) {
    const std::size_t size = keys_.size();
    std::size_t hole = 0;
    for (;;) {
      const std::size_t first = 4 * hole + 1;
      if (first >= size)
        break;
      const std::size_t end = std::min(first + 4, size);
      std::size_t best = first;
      for (std::size_t child = first + 1; child < end; ++child) {
        if (Earlier(keys_[child], keys_[best]))
          best = child;
      }
      if (!Earlier(keys_[best], key))
        break;
      keys_[hole] = keys_[best];
      hole = best;
    }
    keys_[hole] = key;
  }

  // Gives the keys the highest stamps in their present order (which keeps the heap
  // valid, since only the order of stamps is ever compared) and the next push the
  // stamp below them.
  void Restamp() {
    std::vector<std::uint64_t> stamps;
    stamps.reserve(keys_.size());
    for (const Key& key : keys_)
      stamps.push_back(key.order >> 32);
    std::sort(stamps.begin(), stamps.end());
    const auto base = static_cast<std::uint32_t>(kStampLimit - keys_.size() + 1);
    for (Key& key : keys_) {
      const auto rank =
          std::lower_bound(stamps.begin(), stamps.end(), key.order >> 32) - stamps.begin();
      key.order = std::uint64_t{base + static_cast<std::uint32_t>(rank)} << 32 |
                  static_cast<std::uint32_t>(key.order);
    }
    stamp_ = base - 1;
  }

  std::vector<Key> keys_;
  std::vector<Payload> payload_;
  std::vector<std::uint32_t> free_;
  std::uint32_t stamp_ = kStampLimit;
};

}  // namespace qsim
