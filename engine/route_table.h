#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/element_kinds.h"
#include "model/limits.h"
#include "model/transition_entry.h"

namespace qsim {

// The routes of every element of a run, gathered once at its start: for each
// transition the running sum of the probabilities up to it, summed in the order of
// the transitions as a draw would sum them, and its target. A draw then compares
// against sums in one short array instead of summing through the element's table.
class RouteTable {
 public:
  struct Route {
    double reach;  // sum of the probabilities of this transition and those before it
    std::int32_t index;
    TargetKind kind;
  };

  // Forgets every element.
  void Clear() {
    routes_.clear();
    spans_.clear();
  }

  // Adds the next element's transitions 1..transfer (held to 0..kMaxTransitions)
  // and returns its number for Choose.
  int Add(const TransitionTable& transitions, int transfer) {
    const int count = std::clamp(transfer, 0, kMaxTransitions);
    spans_.push_back({static_cast<std::int32_t>(routes_.size()), count});
    double sum = 0;
    for (int i = 1; i <= count; ++i) {
      sum += transitions[i].prob;
      routes_.push_back({sum, transitions[i].index, transitions[i].kind});
    }
    return static_cast<int>(spans_.size() - 1);
  }

  // The first transition whose running sum reaches the draw u, or the last one
  // when none does. REQUIRES: the element has a transition.
  const Route& Choose(int element, double u) const {
    const Span span = spans_[element];
    const Route* first = routes_.data() + span.first;
    const Route* last = first + span.count - 1;
    for (const Route* route = first; route < last; ++route) {
      if (route->reach >= u)
        return *route;
    }
    return *last;
  }

 private:
  struct Span {
    std::int32_t first;
    std::int32_t count;
  };

  std::vector<Route> routes_;
  std::vector<Span> spans_;
};

}  // namespace qsim
