#pragma once

#include <cstdint>

#include "model/element_kinds.h"

namespace qsim {

// The one uniform generator of the program and the laws shaped from it. Every
// random decision of a run comes from here, so the number and order of draws is
// part of the contract: NextUniform takes one draw, PoissonCount one, GaussianValue
// two (u1 then u2), and Variate one more before the law's own draws.
//
// The state starts at 0 with the process and is never reseeded: runs continue the
// sequence, and the first run after every start sees the same one.
class RandomGenerator {
 public:
  // A draw in [0, 1): the linear congruential step x := x * 134775813 + 1 mod 2^32,
  // scaled by 2^-32.
  double NextUniform() {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<double>(seed_) * kTwoToMinus32;
  }

  // A whole number from 0 to max(5, floor(lambda + 5 sqrt(lambda))), Poisson-distributed.
  double PoissonCount(double lambda);

  // mu + sigma * sqrt(2 log10(1 / u2)) * cos(2 pi u1). The decimal logarithm makes
  // the standard deviation about 0.659 sigma; that is the law users know.
  double GaussianValue(double sigma, double mu);

  // A duration of the given law with the given mean and variance parameter (for
  // laws 6 and 7 the coefficient of variation). The result is not clipped: some
  // laws give zero or negative durations. Draws taken, Variate's own first draw
  // included: 1 for laws 0, 3, 4, 5 and codes without a law; 2 for law 1 and law 7;
  // 3 for law 2; ErlangOrder(disp) for law 6.
  double Variate(DistributionKind kind, double mean, double disp);

  // The most phases of an Erlang duration: the order a coefficient of variation of
  // zero or below takes (about 0.03), since an infinite order has no draw count.
  static constexpr int kMaxErlangOrder = 1000;
  // The phases of an Erlang duration of coefficient of variation cv:
  // max(1, round(1 / cv^2)), at most kMaxErlangOrder.
  static int ErlangOrder(double cv);

  std::uint32_t seed() const { return seed_; }
  void set_seed(std::uint32_t seed) { seed_ = seed; }

 private:
  static constexpr double kTwoToMinus32 = 1.0 / 4294967296.0;

  // A draw that is about to meet a logarithm or a division. The sequence reaches
  // exactly 0 once in 2^32 draws; it then stands for the smallest non-zero draw,
  // so that no infinity or NaN enters a run.
  static double AwayFromZero(double u) { return u == 0 ? kTwoToMinus32 : u; }

  double Erlang(double u, double mean, double cv);
  double Lognormal(double u1, double mean, double cv);

  std::uint32_t seed_ = 0;
};

}  // namespace qsim
