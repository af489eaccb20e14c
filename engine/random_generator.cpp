#include "engine/random_generator.h"

#include <cmath>

namespace qsim {
namespace {

constexpr double kTwoPi = 6.283185307179586477;
constexpr double kPoissonLambda = 30;

}  // namespace

double RandomGenerator::PoissonCount(double lambda) {
  double term = std::exp(-lambda);
  double limit = std::floor(lambda + 5 * std::sqrt(lambda));
  if (limit < 5)
    limit = 5;
  const double u = NextUniform();
  double cumulative = term;
  if (u < cumulative)
    return 0;
  for (double k = 1; k <= limit; ++k) {
    term = term * lambda / k;
    cumulative = cumulative + term;
    if (u < cumulative)
      return k;
  }
  return limit;
}

double RandomGenerator::GaussianValue(double sigma, double mu) {
  const double u1 = NextUniform();
  const double u2 = AwayFromZero(NextUniform());
  return mu + sigma * std::sqrt(2 * std::log10(1 / u2)) * std::cos(kTwoPi * u1);
}

double RandomGenerator::Variate(DistributionKind kind, double mean, double disp) {
  const double u = NextUniform();
  switch (kind) {
    case kUniform:
      return mean + mean * disp * 2 * (0.5 - u);
    case kPoisson:
      return PoissonCount(kPoissonLambda) / (kPoissonLambda / mean);
    case kGaussian:
      return GaussianValue(mean * disp, mean);
    case kExponential:
      return mean + mean * disp * 2 * (std::log(AwayFromZero(u)) + 0.5);
    default:
      return mean;
  }
}

}  // namespace qsim
