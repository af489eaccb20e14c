#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/element_kinds.h"
#include "model/limits.h"

namespace qsim {

// The waiting requests of one queue in the order its discipline serves them, keyed
// by (priority, ticket) for the priority disciplines and by ticket alone for the
// others, the ticket counting up for fifo and down for lifo. Tickets in one queue
// are unique, so the order is total and the first place is the one a search of
// every place would choose.
//
// Without priorities the places are kept sorted in a ring: an arrival joins one
// end (the back under fifo, the front under lifo) and a request sent back by a
// busy device, which was first when it left, rejoins at or near the front, so
// nearly every step is a constant one. With priorities arrivals land anywhere, and
// a binary min-heap keeps every step logarithmic.
class WaitingOrder {
 public:
  void Reset(QueueDiscipline discip) {
    heap_.clear();
    ring_.resize(kRingSize);
    head_ = 0;
    count_ = 0;
    by_priority_ = discip == kPriorityFifo || discip == kPriorityLifo;
    latest_ = discip == kLifo || discip == kPriorityLifo;
  }

  // REQUIRES: at most kMaxQueuePlaces requests wait, this one included.
  void Add(int place, std::int32_t priority, std::int32_t ticket) {
    const Entry entry{Key(priority, ticket), place};
    if (by_priority_)
      return HeapAdd(entry);
    RingAdd(entry);
  }

  // Removes the place served next and returns it. REQUIRES: a request waits.
  int TakeFirst() {
    if (by_priority_)
      return HeapTakeFirst();
    const int first = At(0).place;
    head_ = (head_ + 1) & kRingMask;
    --count_;
    return first;
  }

 private:
  struct Entry {
    std::uint64_t key;
    int place;
  };

  static constexpr std::size_t kRingSize = 512;
  static_assert(kRingSize >= kMaxQueuePlaces);
  static constexpr std::size_t kRingMask = kRingSize - 1;

  Entry& At(std::size_t i) { return ring_[(head_ + i) & kRingMask]; }

  void RingAdd(const Entry& entry) {
    if (count_ == 0 || At(count_ - 1).key < entry.key) {
      At(count_++) = entry;
      return;
    }
    if (entry.key < At(0).key) {
      head_ = (head_ - 1) & kRingMask;
      At(0) = entry;
      ++count_;
      return;
    }
    // Between the ends: the later entries move one place back.
    std::size_t i = count_;
    for (; entry.key < At(i - 1).key; --i)
      At(i) = At(i - 1);
    At(i) = entry;
    ++count_;
  }

  void HeapAdd(const Entry& entry) {
    std::size_t hole = heap_.size();
    heap_.push_back(entry);
    while (hole > 0) {
      const std::size_t parent = (hole - 1) / 2;
      if (heap_[parent].key <= entry.key)
        break;
      heap_[hole] = heap_[parent];
      hole = parent;
    }
    heap_[hole] = entry;
  }

  int HeapTakeFirst() {
    const int first = heap_.front().place;
    const Entry last = heap_.back();
    heap_.pop_back();
    const std::size_t size = heap_.size();
    std::size_t hole = 0;
    for (;;) {
      std::size_t child = 2 * hole + 1;
      if (child >= size)
        break;
      if (child + 1 < size && heap_[child + 1].key < heap_[child].key)
        ++child;
      if (heap_[child].key >= last.key)
        break;
      heap_[hole] = heap_[child];
      hole = child;
    }
    if (size > 0)
      heap_[hole] = last;
    return first;
  }

  // Signed priorities are made unsigned in their order by flipping the sign bit.
  std::uint64_t Key(std::int32_t priority, std::int32_t ticket) const {
    const std::uint32_t rank = static_cast<std::uint32_t>(ticket) ^ (latest_ ? 0xFFFFFFFFu : 0u);
    const std::uint32_t level =
        by_priority_ ? static_cast<std::uint32_t>(priority) ^ 0x80000000u : 0u;
    return std::uint64_t{level} << 32 | rank;
  }

  std::vector<Entry> heap_;
  std::vector<Entry> ring_;
  std::size_t head_ = 0;
  std::size_t count_ = 0;
  bool by_priority_ = false;
  bool latest_ = false;
};

}  // namespace qsim
