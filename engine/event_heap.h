#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

#include "engine/event_node.h"

namespace qsim {

struct RequestRecord;

// Pending events in order of time and, among equal times, newest first: a 4-ary
// min-heap of 16-byte keys (time, and one word holding a stamp and the index of the
// event's other fields), with those fields kept apart in a pool. A sift moves keys
// only, and the four children of a node fill one cache line.
//
// Taking the earliest event walks the hole at the root down to a leaf along the
// smallest children, then moves the former last key up from there (it nearly always
// belongs near the bottom). The smallest of four children is found without a
// branch, and every node's four children exist (keys after the last one are a
// sentinel later than any event), so the walk costs a few predictable steps per
// level rather than a misprediction at every comparison.
//
// Stamps count down from kStampLimit, so the newest key has the smallest word.
// When they run out (after kStampLimit pushes without the heap running empty) the
// keys are stamped afresh in their present order.
// REQUIRES: fewer than kStampLimit events pending at once.
template <std::uint32_t kStampLimit = 0xFFFFFFFF>
class EventHeap {
 public:
  EventHeap() { Clear(); }

  // REQUIRES: event.time is not NaN.
  void Push(const EventNode& event) {
    if (stamp_ == 0)
      Restamp();
    const std::uint32_t index = NewPayload(event);
    if (keys_.size() < Position(size_) + kSpareKeys)
      keys_.resize(keys_.size() + kGrowth, kSentinel);
    SiftUp(size_++, {OrderedBits(event.time), std::uint64_t{stamp_--} << 32 | index});
  }

  // Removes the earliest event and returns it. REQUIRES: !empty().
  EventNode Pop() {
    const Key top = Node(0);
    --size_;
    const Key last = Node(size_);
    Node(size_) = kSentinel;
    if (size_ == 0) {
      stamp_ = kStampLimit;
    } else {
      SiftUp(HoleToLeaf(), last);
    }
    const auto index = static_cast<std::uint32_t>(top.order);
    free_.push_back(index);
    const Payload& p = payload_[index];
    return {p.time, p.element, p.request, p.from_queue, p.from_slot, p.kind};
  }

  // Time of the earliest event (a zero as +0). REQUIRES: !empty().
  double TopTime() const { return TimeOf(Node(0).time); }
  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }

  void Clear() {
    keys_.assign(Position(0) + kSpareKeys, kSentinel);
    size_ = 0;
    payload_.clear();
    free_.clear();
    stamp_ = kStampLimit;
  }

 private:
  struct Key {
    std::uint64_t time;   // OrderedBits of the time
    std::uint64_t order;  // stamp << 32 | payload index
  };
  // The fields of the event.
  struct Payload {
    double time;
    RequestRecord* request;
    std::int32_t element;
    std::int32_t from_queue;
    std::int32_t from_slot;
    EventKind kind;
  };

  // Keys live in storage aligned to a cache line, node n at position n + 3, so that
  // the children 4n + 1 .. 4n + 4 of every node sit at positions 4(n + 1) .. 4(n + 1) + 3.
  static constexpr std::size_t kLine = 64;
  static_assert(4 * sizeof(Key) == kLine);
  template <typename T>
  struct LineAligned {
    using value_type = T;
    LineAligned() = default;
    template <typename U>
    LineAligned(const LineAligned<U>&) {}
    T* allocate(std::size_t n) {
      return static_cast<T*>(::operator new (n * sizeof(T), std::align_val_t{kLine}));
    }
    void deallocate(T* p, std::size_t) { ::operator delete (p, std::align_val_t{kLine}); }
    bool operator==(const LineAligned&) const = default;
  };

  // Positions beyond the last node that are always there: the children of the last
  // node that has any reach up to five positions past it.
  static constexpr std::size_t kSpareKeys = 8;
  static constexpr std::size_t kGrowth = 256;
  static constexpr Key kSentinel = {std::numeric_limits<std::uint64_t>::max(),
                                    std::numeric_limits<std::uint64_t>::max()};

  static constexpr std::size_t Position(std::size_t node) { return node + 3; }
  Key& Node(std::size_t node) { return keys_[Position(node)]; }
  const Key& Node(std::size_t node) const { return keys_[Position(node)]; }

  // The bits of a time as an unsigned number in the order of the times, both zeros
  // as one: the sign bit of a positive time is set, every bit of a negative one is
  // flipped. REQUIRES: time is not NaN.
  static std::uint64_t OrderedBits(double time) {
    const auto bits = std::bit_cast<std::uint64_t>(time + 0.0);
    return bits ^ (std::uint64_t(std::int64_t(bits) >> 63) | kSignBit);
  }
  static double TimeOf(std::uint64_t ordered) {
    const std::uint64_t flip = ordered & kSignBit ? kSignBit : ~std::uint64_t{0};
    return std::bit_cast<double>(ordered ^ flip);
  }
  static constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

  // One unsigned comparison of 128 bits, without a branch; a sentinel is later than
  // every event.
  __extension__ typedef unsigned __int128 Rank;
  static bool Earlier(const Key& a, const Key& b) {
    return (Rank{a.time} << 64 | a.order) < (Rank{b.time} << 64 | b.order);
  }

  std::uint32_t NewPayload(const EventNode& e) {
    const Payload p{e.time, e.request, e.element, e.from_queue, e.from_slot, e.kind};
    if (free_.empty()) {
      payload_.push_back(p);
      return static_cast<std::uint32_t>(payload_.size() - 1);
    }
    const std::uint32_t index = free_.back();
    free_.pop_back();
    payload_[index] = p;
    return index;
  }

  // Moves `key` up from the hole at `node` to its place.
  void SiftUp(std::size_t node, const Key& key) {
    while (node > 0) {
      const std::size_t parent = (node - 1) / 4;
      if (!Earlier(key, Node(parent)))
        break;
      Node(node) = Node(parent);
      node = parent;
    }
    Node(node) = key;
  }

  // Moves the hole at the root down along the smallest children to a node without
  // children and returns that node.
  std::size_t HoleToLeaf() {
    std::size_t hole = 0;
    for (;;) {
      const std::size_t first = 4 * hole + 1;
      if (first >= size_)
        return hole;
      const Key* children = &Node(first);
      const std::size_t low = Earlier(children[1], children[0]);
      const std::size_t high = 2 + Earlier(children[3], children[2]);
      // A mask rather than a conditional, which the compiler would make a branch.
      const std::size_t take_high = -std::size_t{Earlier(children[high], children[low])};
      const std::size_t best = first + (low ^ ((low ^ high) & take_high));
      Node(hole) = Node(best);
      hole = best;
    }
  }

  // Gives the keys the highest stamps in their present order (which keeps the heap
  // valid, since only the order of stamps is ever compared) and the next push the
  // stamp below them.
  void Restamp() {
    std::vector<std::uint64_t> stamps;
    stamps.reserve(size_);
    for (std::size_t node = 0; node < size_; ++node)
      stamps.push_back(Node(node).order >> 32);
    std::sort(stamps.begin(), stamps.end());
    const auto base = static_cast<std::uint32_t>(kStampLimit - size_ + 1);
    for (std::size_t node = 0; node < size_; ++node) {
      Key& key = Node(node);
      const auto rank =
          std::lower_bound(stamps.begin(), stamps.end(), key.order >> 32) - stamps.begin();
      key.order = std::uint64_t{base + static_cast<std::uint32_t>(rank)} << 32 |
                  static_cast<std::uint32_t>(key.order);
    }
    stamp_ = base - 1;
  }

  std::vector<Key, LineAligned<Key>> keys_;
  std::size_t size_ = 0;
  std::vector<Payload> payload_;
  std::vector<std::uint32_t> free_;
  std::uint32_t stamp_ = kStampLimit;
};

}  // namespace qsim
