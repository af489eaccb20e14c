#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace qsim {

// Which of the numbered slots 1..kCount (a queue's places, a device's channels)
// are taken, one bit each, so that the lowest free one is found a word at a time.
template <int kCount>
class SlotBits {
 public:
  SlotBits() { Clear(); }

  // Every slot free.
  void Clear() {
    words_.fill(0);
    words_[0] = 1;  // slot 0 does not exist, so it is never free
  }

  // REQUIRES: 1 <= slot <= kCount.
  void Take(int slot) { words_[slot / 64] |= Bit(slot); }
  void Free(int slot) { words_[slot / 64] &= ~Bit(slot); }

  // The lowest free slot up to `limit`, or 0 when all of them are taken.
  int LowestFree(int limit) const {
    for (int word = 0; word * 64 <= limit; ++word) {
      const std::uint64_t free = ~words_[word];
      if (free != 0) {
        const int slot = word * 64 + std::countr_zero(free);
        return slot <= limit ? slot : 0;
      }
    }
    return 0;
  }

 private:
  static std::uint64_t Bit(int slot) { return std::uint64_t{1} << (slot % 64); }

  std::array<std::uint64_t, kCount / 64 + 1> words_;
};

}  // namespace qsim
