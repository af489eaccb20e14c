#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/limits.h"

namespace qsim {

// The earliest release time over a device's channels 1..k, kept in a tournament
// tree so that it is read at once and updated in log k steps. A time that is not
// a number never counts, as in a search that keeps the smaller of two values only
// when the comparison holds; no channel, or none with a number, gives infinity.
class ReleaseTree {
 public:
  // REQUIRES: 0 <= k <= kMaxChannels; times[1..k] are the channels' release times.
  template <typename Times>
  void Reset(int k, const Times& times) {
    nodes_.fill(kNever);
    for (int channel = 1; channel <= k; ++channel)
      nodes_[kLeaves + channel] = Counted(times[channel]);
    for (int node = kLeaves - 1; node >= 1; --node)
      nodes_[node] = Smaller(nodes_[2 * node], nodes_[2 * node + 1]);
  }

  // REQUIRES: 1 <= channel <= k of the last Reset.
  void Set(int channel, double time) {
    int node = kLeaves + channel;
    nodes_[node] = Counted(time);
    for (node /= 2; node >= 1; node /= 2) {
      const double smaller = Smaller(nodes_[2 * node], nodes_[2 * node + 1]);
      // A node that keeps its value, to the bit, leaves every node above it as it was.
      if (std::bit_cast<std::uint64_t>(smaller) == std::bit_cast<std::uint64_t>(nodes_[node]))
        return;
      nodes_[node] = smaller;
    }
  }

  double Earliest() const { return nodes_[1]; }

 private:
  static constexpr int kLeaves = 64;  // channels 0..63, enough for kMaxChannels
  static_assert(kMaxChannels < kLeaves);
  static constexpr double kNever = std::numeric_limits<double>::infinity();

  static double Counted(double time) { return std::isnan(time) ? kNever : time; }
  static double Smaller(double a, double b) { return b < a ? b : a; }

  std::array<double, 2 * kLeaves> nodes_;
};

}  // namespace qsim
