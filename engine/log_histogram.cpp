#include "engine/log_histogram.h"

#include <algorithm>
#include <cmath>

namespace qsim {

void LogHistogram::Cover(std::int64_t bucket) {
  if (counts_.empty()) {
    first_ = bucket;
    counts_.assign(1, 0);
    return;
  }
  const std::int64_t first = std::min(first_, bucket);
  const std::int64_t end = std::max(first_ + Size(), bucket + 1);
  std::vector<std::uint64_t> counts(static_cast<std::size_t>(end - first), 0);
  std::copy(counts_.begin(), counts_.end(), counts.begin() + (first_ - first));
  counts_ = std::move(counts);
  first_ = first;
}

void LogHistogram::Merge(const LogHistogram& other) {
  count_ += other.count_;
  zeros_ += other.zeros_;
  if (other.counts_.empty())
    return;
  Cover(other.first_);
  Cover(other.first_ + other.Size() - 1);
  for (std::int64_t i = 0; i < other.Size(); ++i)
    counts_[static_cast<std::size_t>(other.first_ - first_ + i)] +=
        other.counts_[static_cast<std::size_t>(i)];
}

double LogHistogram::Quantile(double p) const {
  if (count_ == 0)
    return 0;
  const auto rank = std::max<std::uint64_t>(
      1, static_cast<std::uint64_t>(std::ceil(p * static_cast<double>(count_))));
  std::uint64_t seen = zeros_;
  if (seen >= rank)
    return 0;
  for (std::int64_t i = 0; i < Size(); ++i) {
    seen += counts_[static_cast<std::size_t>(i)];
    if (seen >= rank)
      return (LowerBound(first_ + i) + LowerBound(first_ + i + 1)) / 2;
  }
  return LowerBound(first_ + Size());
}

std::vector<LogHistogram::Bar> LogHistogram::Bars() const {
  std::vector<Bar> bars;
  if (zeros_ > 0)
    bars.push_back({0, kSmallest, zeros_});
  for (std::int64_t i = 0; i < Size(); ++i) {
    if (counts_[static_cast<std::size_t>(i)] > 0)
      bars.push_back({LowerBound(first_ + i), LowerBound(first_ + i + 1),
                      counts_[static_cast<std::size_t>(i)]});
  }
  return bars;
}

}  // namespace qsim
