#pragma once

#include <cstdint>
#include <variant>

#include "engine/philox_stream.h"
#include "model/element_kinds.h"

namespace qsim {

// The program's own uniform generator: x := x * 134775813 + 1 mod 2^32.
struct CongruentialStream {
  std::uint32_t state = 0;
  std::uint32_t Next() { return state = state * 134775813u + 1u; }
};

// The uniform generator of a run and the laws shaped from it. Every random
// decision of a run comes from here, so the number and order of draws is part of
// the contract: NextUniform takes one draw, PoissonCount one, GaussianValue two
// (u1 then u2), and Variate one more before the law's own draws.
//
// The draws come from one of two sources. The program's own generator, a linear
// congruential one, starts at 0 with the process and is never reseeded: single
// runs continue its sequence, and the first run after every start sees the same
// one. A run of a series draws instead from its own PhiloxStream. Both give 32
// bits a draw, and the laws shape them alike.
class RandomGenerator {
 public:
  RandomGenerator() = default;
  explicit RandomGenerator(const PhiloxStream& stream) : source_(stream) {}

  // A draw in [0, 1): the source's next 32 bits scaled by 2^-32.
  double NextUniform() { return static_cast<double>(NextBits()) * kTwoToMinus32; }

  // A whole number from 0 to max(5, floor(lambda + 5 sqrt(lambda))), Poisson-distributed.
  double PoissonCount(double lambda);

  // mu + sigma * sqrt(2 log10(1 / u2)) * cos(2 pi u1). The decimal logarithm makes
  // the standard deviation about 0.659 sigma; that is the law users know.
  double GaussianValue(double sigma, double mu);

  // A duration of the given law with the given mean and spread `disp`, a factor
  // of the mean (for laws 6 and 7 the coefficient of variation). The result is not clipped: some
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

  // The state of the congruential generator; set_seed makes it the source.
  // REQUIRES for seed(): the generator draws from the congruential source.
  std::uint32_t seed() const { return std::get<CongruentialStream>(source_).state; }
  void set_seed(std::uint32_t seed) { source_ = CongruentialStream{seed}; }

 private:
  static constexpr double kTwoToMinus32 = 1.0 / 4294967296.0;

  // Single runs, the hot case, test one tag and step the congruential state.
  std::uint32_t NextBits() {
    if (auto* congruential = std::get_if<CongruentialStream>(&source_)) [[likely]]
      return congruential->Next();
    return std::get_if<PhiloxStream>(&source_)->Next();
  }

  // A draw that is about to meet a logarithm or a division. The sequence reaches
  // exactly 0 once in 2^32 draws; it then stands for the smallest non-zero draw,
  // so that no infinity or NaN enters a run.
  static double AwayFromZero(double u) { return u == 0 ? kTwoToMinus32 : u; }

  double Erlang(double u, double mean, double cv);
  double Lognormal(double u1, double mean, double cv);

  std::variant<CongruentialStream, PhiloxStream> source_;
};

}  // namespace qsim
