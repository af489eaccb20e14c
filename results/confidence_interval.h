#pragma once

#include <optional>
#include <vector>

namespace qsim {

// The mean of a sample and the half-width of its two-sided 95 % confidence
// interval from Student's t (none for fewer than two values).
struct MeanInterval {
  double mean = 0;
  std::optional<double> half_width;
};

// The quantile of Student's t with `degrees_of_freedom` (at least 1) below which
// 97.5 % of the law lies: the factor of a two-sided 95 % interval.
double StudentT95(int degrees_of_freedom);

// The factor of a two-sided interval of confidence `level` (between 0 and 1) from
// Student's t with `degrees_of_freedom` (at least 1).
double StudentTFactor(double level, int degrees_of_freedom);

// None for an empty sample. The values are summed in their order, so the same
// sample gives the same bits.
std::optional<MeanInterval> MeanInterval95(const std::vector<double>& samples);

}  // namespace qsim
