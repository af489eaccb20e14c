#include "results/mser_warmup.h"

#include <algorithm>
#include <vector>

namespace qsim {

std::size_t Mser5Truncation(std::span<const double> observations) {
  constexpr std::size_t kBatch = 5;
  const std::size_t batches = observations.size() / kBatch;
  if (batches < 2)
    return 0;
  std::vector<double> z(batches, 0);
  for (std::size_t j = 0; j < batches; ++j) {
    for (std::size_t i = 0; i < kBatch; ++i)
      z[j] += observations[j * kBatch + i];
    z[j] /= kBatch;
  }
  // Sums and sums of squares of the tails z[d..], from the last batch back.
  std::vector<double> sums(batches + 1, 0);
  std::vector<double> squares(batches + 1, 0);
  for (std::size_t j = batches; j-- > 0;) {
    sums[j] = sums[j + 1] + z[j];
    squares[j] = squares[j + 1] + z[j] * z[j];
  }
  std::size_t best = 0;
  double least = 0;
  for (std::size_t d = 0; d <= batches / 2; ++d) {
    const auto n = static_cast<double>(batches - d);
    // The squared deviations from the tail's own mean; never below zero.
    const double deviations = std::max(0.0, squares[d] - sums[d] * sums[d] / n);
    const double statistic = deviations / (n * n);
    if (d == 0 || statistic < least) {
      least = statistic;
      best = d;
    }
  }
  return best * kBatch;
}

std::size_t RiseToSteadyLevel(std::span<const double> observations) {
  const std::size_t kept = Mser5Truncation(observations);
  if (kept >= observations.size())
    return 0;
  double level = 0;
  for (std::size_t i = kept; i < observations.size(); ++i)
    level += observations[i];
  level /= static_cast<double>(observations.size() - kept);
  std::size_t rise = 0;
  while (rise < observations.size() && observations[rise] < level)
    ++rise;
  return rise;
}

}  // namespace qsim
