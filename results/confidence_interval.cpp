#include "results/confidence_interval.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>

namespace qsim {

double StudentT95(int degrees_of_freedom) {
  return StudentTFactor(0.95, degrees_of_freedom);
}

double StudentTFactor(double level, int degrees_of_freedom) {
  const boost::math::students_t law(degrees_of_freedom);
  return boost::math::quantile(boost::math::complement(law, (1 - level) / 2));
}

std::optional<MeanInterval> MeanInterval95(const std::vector<double>& samples) {
  if (samples.empty())
    return std::nullopt;
  const double n = static_cast<double>(samples.size());
  double sum = 0;
  for (double x : samples)
    sum += x;
  MeanInterval interval{sum / n, std::nullopt};
  if (samples.size() < 2)
    return interval;
  double squares = 0;
  for (double x : samples)
    squares += (x - interval.mean) * (x - interval.mean);
  const double deviation = std::sqrt(squares / (n - 1));
  interval.half_width = StudentT95(static_cast<int>(samples.size()) - 1) * deviation / std::sqrt(n);
  return interval;
}

}  // namespace qsim
