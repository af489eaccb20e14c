#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace qsim {

// Counts of positive values in buckets of equal relative width, for quantiles of a
// stream whose values cannot all be kept. A bucket is the set of doubles that share
// the exponent and the top 6 bits of the mantissa: 64 buckets an octave, each at
// most 1/64 of its lower bound wide, so a bucket's midpoint lies within 1/128
// (0.78 %) of every value in it. Finding the bucket takes a shift of the value's
// bits, with no logarithm, and two histograms add up bucket by bucket, so the
// quantiles of the union of two streams are those of the sum.
//
// Values below kSmallest (zero and negative ones included) share one bucket that
// stands for 0: a wait of exactly zero is common, and one of 1e-12 model time
// units is zero for every purpose.
class LogHistogram {
 public:
  static constexpr double kSmallest = 0x1p-40;

  void Add(double value) {
    ++count_;
    if (!(value >= kSmallest)) {
      ++zeros_;
      return;
    }
    const std::int64_t bucket = Bucket(value);
    if (counts_.empty() || bucket < first_ || bucket >= first_ + Size())
      Cover(bucket);
    ++counts_[static_cast<std::size_t>(bucket - first_)];
  }

  void Merge(const LogHistogram& other);
  void Clear() { *this = LogHistogram{}; }

  std::uint64_t count() const { return count_; }

  // The value at rank ceil(p * count) (1-based) of the sorted stream, as the
  // midpoint of its bucket; 0 for the zero bucket and for an empty histogram.
  // REQUIRES: 0 < p <= 1.
  double Quantile(double p) const;

  // The buckets in use as (lower bound, upper bound, count), the zero bucket as
  // (0, kSmallest, zeros), in ascending order; for plots.
  struct Bar {
    double low = 0;
    double high = 0;
    std::uint64_t count = 0;
  };
  std::vector<Bar> Bars() const;

 private:
  static constexpr int kMantissaBits = 6;
  static std::int64_t Bucket(double value) {
    return static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(value) >> (52 - kMantissaBits));
  }
  static double LowerBound(std::int64_t bucket) {
    return std::bit_cast<double>(static_cast<std::uint64_t>(bucket) << (52 - kMantissaBits));
  }
  std::int64_t Size() const { return static_cast<std::int64_t>(counts_.size()); }
  // Widens the covered range of buckets to hold `bucket`.
  void Cover(std::int64_t bucket);

  std::vector<std::uint64_t> counts_;  // buckets first_, first_ + 1, ...
  std::int64_t first_ = 0;
  std::uint64_t zeros_ = 0;
  std::uint64_t count_ = 0;
};

}  // namespace qsim
