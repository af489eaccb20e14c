#include "results/batch_means.h"

#include <cmath>
#include <vector>

#include "results/confidence_interval.h"

namespace qsim {
namespace {

struct Batches {
  std::vector<double> sums;
  std::vector<double> counts;
};

// `count` batches of consecutive cells, as even as whole cells allow.
Batches Group(std::span<const double> numerators, std::span<const double> denominators,
              std::size_t count) {
  Batches batches{std::vector<double>(count, 0), std::vector<double>(count, 0)};
  const std::size_t cells = numerators.size();
  for (std::size_t cell = 0; cell < cells; ++cell) {
    const std::size_t batch = cell * count / cells;
    batches.sums[batch] += numerators[cell];
    batches.counts[batch] += denominators[cell];
  }
  return batches;
}

}  // namespace

std::optional<Estimate> BatchMeansEstimate(std::span<const double> numerators,
                                           std::span<const double> denominators, double level) {
  double total = 0;
  double total_count = 0;
  for (std::size_t cell = 0; cell < numerators.size(); ++cell) {
    total += numerators[cell];
    total_count += denominators[cell];
  }
  if (!(total_count > 0))
    return std::nullopt;
  Estimate estimate{total / total_count, std::nullopt, 0};
  std::size_t count = std::min<std::size_t>(kInitialBatches, numerators.size());
  if (count < 2)
    return estimate;
  for (;;) {
    const Batches batches = Group(numerators, denominators, count);
    std::vector<double> residuals(count);
    double squares = 0;
    double products = 0;
    for (std::size_t j = 0; j < count; ++j) {
      residuals[j] = batches.sums[j] - estimate.mean * batches.counts[j];
      squares += residuals[j] * residuals[j];
      if (j > 0)
        products += residuals[j - 1] * residuals[j];
    }
    const double lag1 = squares > 0 ? products / squares : 0;
    if (lag1 > kLag1Limit && count / 2 >= kFewestBatches) {
      count /= 2;
      continue;
    }
    const auto b = static_cast<double>(count);
    const double variance = squares / (b - 1);
    estimate.half_width =
        StudentTFactor(level, static_cast<int>(count) - 1) * std::sqrt(b * variance) / total_count;
    estimate.batches = static_cast<int>(count);
    return estimate;
  }
}

}  // namespace qsim
