#pragma once

#include <optional>
#include <span>

namespace qsim {

// A figure's estimate and the half-width of its confidence interval; no
// half-width when there are too few batches for one.
struct Estimate {
  double mean = 0;
  std::optional<double> half_width;
  int batches = 0;  // the batches the half-width rests on
};

// Batches of a single run: kInitialBatches runs of consecutive cells, pairs of
// them joined while the lag-1 correlation of the batches exceeds kLag1Limit and
// at least kFewestBatches remain. Fewer cells than kInitialBatches give one batch
// a cell.
inline constexpr int kInitialBatches = 32;
inline constexpr int kFewestBatches = 8;
inline constexpr double kLag1Limit = 0.2;

// The ratio sum(numerators) / sum(denominators) over cells, with its interval
// by batch means: a mean over time (an area over the time of each cell), a rate
// (a count over time) or a mean per request (a sum over a count). Batches may
// hold different amounts, so the variance is that of the ratio estimator: the
// batches' residuals S_j - R N_j, whose sum is zero, give
// half-width = t(level, b - 1) * sqrt(b * var(residual)) / sum(N).
// None when the denominators add up to zero.
// REQUIRES: both spans of one length; 0 < level < 1.
std::optional<Estimate> BatchMeansEstimate(std::span<const double> numerators,
                                           std::span<const double> denominators, double level);

}  // namespace qsim
