#pragma once

#include <cstdint>
#include <vector>

#include "model/element_kinds.h"

namespace qsim {

// The waiting requests of one queue in the order its discipline serves them: a
// min-heap of places keyed by (priority, ticket) for the priority disciplines and
// by ticket alone for the others, the ticket counting up for fifo and down for lifo.
// Tickets in one queue are unique, so the order is total and the first place is
// the one a search of every place would choose.
class WaitingOrder {
 public:
  void Reset(QueueDiscipline discip) {
    heap_.clear();
    by_priority_ = discip == kPriorityFifo || discip == kPriorityLifo;
    latest_ = discip == kLifo || discip == kPriorityLifo;
  }

  void Add(int place, std::int32_t priority, std::int32_t ticket) {
    const Entry entry{Key(priority, ticket), place};
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

  // Removes the place served next and returns it. REQUIRES: a request waits.
  int TakeFirst() {
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

 private:
  struct Entry {
    std::uint64_t key;
    int place;
  };

  // Signed priorities are made unsigned in their order by flipping the sign bit.
  std::uint64_t Key(std::int32_t priority, std::int32_t ticket) const {
    const std::uint32_t rank = static_cast<std::uint32_t>(ticket) ^ (latest_ ? 0xFFFFFFFFu : 0u);
    const std::uint32_t level =
        by_priority_ ? static_cast<std::uint32_t>(priority) ^ 0x80000000u : 0u;
    return std::uint64_t{level} << 32 | rank;
  }

  std::vector<Entry> heap_;
  bool by_priority_ = false;
  bool latest_ = false;
};

}  // namespace qsim
