#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

#include "model/element_kinds.h"
#include "model/limits.h"

namespace qsim {

// One outgoing route of an element.
struct TransitionEntry {
  double prob = 0;                     // probability of taking this route
  TargetKind kind = TargetKind::None;  // kind of the target element
  std::int32_t index = 0;              // target slot; meaningless for the terminator
};

// The routes of one element, numbered 1..30 as in the model text. Entries
// 1..transfer are valid; the others keep whatever they held before.
class TransitionTable {
 public:
  TransitionEntry& operator[](int number) { return entries_.at(Checked(number)); }
  const TransitionEntry& operator[](int number) const { return entries_.at(Checked(number)); }

 private:
  static std::size_t Checked(int number) {
    if (number < 1 || number > kMaxTransitions)
      throw std::out_of_range("transition number");
    return static_cast<std::size_t>(number - 1);
  }
  std::array<TransitionEntry, kMaxTransitions> entries_{};
};

}  // namespace qsim
