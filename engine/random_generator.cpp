#include "engine/random_generator.h"

#include <algorithm>
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

int RandomGenerator::ErlangOrder(double cv) {
  if (!(cv > 0))
    return kMaxErlangOrder;
  const double order = std::round(1 / (cv * cv));
  return static_cast<int>(std::clamp(order, 1.0, static_cast<double>(kMaxErlangOrder)));
}

// The sum of `order` exponential phases, each of mean `mean / order`: the first
// phase from Variate's draw u, the others from one draw each. The logarithms are
// summed rather than the draws multiplied, since a product of hundreds of draws
// would reach zero.
double RandomGenerator::Erlang(double u, double mean, double cv) {
  const int order = ErlangOrder(cv);
  double sum = std::log(1 - u);
  for (int phase = 2; phase <= order; ++phase)
    sum += std::log(1 - NextUniform());
  return -mean / order * sum;
}

// exp(mu + sigma z) with sigma^2 = ln(1 + cv^2) and mu = ln(mean) - sigma^2 / 2, so
// that the mean and the coefficient of variation are those asked for; z is a
// standard normal from Box-Muller with the natural logarithm (u1 = Variate's draw,
// u2 one more). A mean of zero or below has no lognormal law: it is returned as it
// is, after the same two draws.
double RandomGenerator::Lognormal(double u1, double mean, double cv) {
  const double u2 = AwayFromZero(NextUniform());
  if (!(mean > 0))
    return mean;
  const double sigma2 = std::log1p(cv * cv);
  const double z = std::sqrt(-2 * std::log(u2)) * std::cos(kTwoPi * u1);
  return std::exp(std::log(mean) - sigma2 / 2 + std::sqrt(sigma2) * z);
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
    case kPureExponential:
      return -mean * std::log(1 - u);
    case kErlang:
      return Erlang(u, mean, disp);
    case kLognormal:
      return Lognormal(u, mean, disp);
    default:
      return mean;
  }
}

}  // namespace qsim
