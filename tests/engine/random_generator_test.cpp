#include "engine/random_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace qsim {
namespace {

// Seeds whose next draw is exactly 0 and exactly (2^32 - 1) / 2^32.
constexpr std::uint32_t kSeedBeforeZero = 649090867u;
constexpr std::uint32_t kSeedBeforeLargest = 1298181734u;

TEST(RandomGeneratorTest, FirstDrawsAfterStart) {
  RandomGenerator random;
  EXPECT_EQ(random.NextUniform(), 2.3283064365386963e-10);
  EXPECT_EQ(random.NextUniform(), 0.031379939522594213);
  EXPECT_EQ(random.NextUniform(), 0.8610484672244638);
}

TEST(RandomGeneratorTest, DrawsStayInTheUnitInterval) {
  RandomGenerator random;
  random.set_seed(kSeedBeforeZero);
  EXPECT_EQ(random.NextUniform(), 0.0);
  random.set_seed(kSeedBeforeLargest);
  EXPECT_EQ(random.NextUniform(), 4294967295.0 / 4294967296.0);
}

// Number of draws one call takes, measured against a twin generator.
int DrawsTaken(DistributionKind kind, double disp = 0.5) {
  RandomGenerator random;
  RandomGenerator twin;
  random.Variate(kind, 2, disp);
  int draws = 0;
  while (twin.seed() != random.seed()) {
    twin.NextUniform();
    ++draws;
  }
  return draws;
}

TEST(RandomGeneratorTest, EachLawTakesItsNumberOfDraws) {
  EXPECT_EQ(DrawsTaken(kUniform), 1);
  EXPECT_EQ(DrawsTaken(kPoisson), 2);
  EXPECT_EQ(DrawsTaken(kGaussian), 3);
  EXPECT_EQ(DrawsTaken(kExponential), 1);
  EXPECT_EQ(DrawsTaken(kConstant), 1);
  EXPECT_EQ(DrawsTaken(200), 1);  // unknown codes act as constant
  EXPECT_EQ(DrawsTaken(kPureExponential), 1);
  EXPECT_EQ(DrawsTaken(kLognormal), 2);
  EXPECT_EQ(DrawsTaken(kErlang), 4);        // 1 / 0.5^2
  EXPECT_EQ(DrawsTaken(kErlang, 0.3), 11);  // 1 / 0.09 = 11.1
  EXPECT_EQ(DrawsTaken(kErlang, 2), 1);     // 1 / 4 rounds to 0; at least one phase
  EXPECT_EQ(DrawsTaken(kErlang, 0), RandomGenerator::kMaxErlangOrder);
}

struct LawMoments {
  const char* name;
  DistributionKind kind;
  double mean;
  double disp;
  double variance;  // of the law
};

// Sample mean and variance over a million durations, each within four standard
// errors of the law's own; the standard error of the variance comes from the
// sample's fourth central moment.
TEST(RandomGeneratorTest, TextbookLawsHaveTheirMeanAndVariance) {
  const LawMoments laws[] = {
      {"exponential", kPureExponential, 0.5, 0.7, 0.25}, {"Erlang of order 4", kErlang, 2, 0.5, 1},
      {"Erlang of order 1", kErlang, 3, 1, 9},           {"lognormal", kLognormal, 2, 0.5, 1},
      {"lognormal, wide", kLognormal, 1, 1.5, 2.25},
  };
  constexpr int kDraws = 1'000'000;
  for (const LawMoments& law : laws) {
    SCOPED_TRACE(law.name);
    RandomGenerator random;
    std::vector<double> values(kDraws);
    double sum = 0;
    for (double& value : values) {
      value = random.Variate(law.kind, law.mean, law.disp);
      sum += value;
    }
    const double mean = sum / kDraws;
    double m2 = 0;
    double m4 = 0;
    for (const double value : values) {
      const double d2 = (value - mean) * (value - mean);
      m2 += d2;
      m4 += d2 * d2;
    }
    m2 /= kDraws;
    m4 /= kDraws;
    EXPECT_NEAR(mean, law.mean, 4 * std::sqrt(m2 / kDraws));
    EXPECT_NEAR(m2, law.variance, 4 * std::sqrt((m4 - m2 * m2) / kDraws));
  }
}

TEST(RandomGeneratorTest, TextbookLawsNeverGiveInfinities) {
  RandomGenerator random;
  for (const DistributionKind kind : {kPureExponential, kErlang, kLognormal}) {
    random.set_seed(kSeedBeforeZero);
    EXPECT_TRUE(std::isfinite(random.Variate(kind, 1, 0.5))) << int{kind};
    random.set_seed(kSeedBeforeLargest);
    EXPECT_TRUE(std::isfinite(random.Variate(kind, 1, 0.5))) << int{kind};
  }
  EXPECT_EQ(random.Variate(kLognormal, -2, 0.5), -2);  // no lognormal law below zero
}

TEST(RandomGeneratorTest, ConstantAndUniformLaws) {
  RandomGenerator random;
  EXPECT_EQ(random.Variate(kConstant, 1.5, 99), 1.5);
  EXPECT_EQ(random.Variate(kUniform, 1.5, 0), 1.5);
  random.set_seed(kSeedBeforeZero);  // u = 0: the top of the range
  EXPECT_EQ(random.Variate(kUniform, 2, 0.5), 3);
}

TEST(RandomGeneratorTest, FormulasInTheirWrittenOrder) {
  RandomGenerator random;
  RandomGenerator twin;
  const double u = twin.NextUniform();
  EXPECT_EQ(random.Variate(kExponential, 0.7, 0.3), 0.7 + 0.7 * 0.3 * 2 * (std::log(u) + 0.5));
  twin.NextUniform();  // the draw of the constant law below
  twin.NextUniform();  // the Gaussian law's own first draw, unused by its shape
  const double v1 = twin.NextUniform();
  const double v2 = twin.NextUniform();
  random.Variate(kConstant, 0, 0);
  EXPECT_EQ(random.Variate(kGaussian, 3, 0.2),
            3 + 3 * 0.2 * std::sqrt(2 * std::log10(1 / v2)) * std::cos(6.283185307179586477 * v1));
}

TEST(RandomGeneratorTest, PoissonCountsAreWholeMultiplesOfTheMean) {
  RandomGenerator random;
  for (int i = 0; i < 10000; ++i) {
    const double value = random.Variate(kPoisson, 0.6, 123);
    const double count = value / (0.6 / 30);
    EXPECT_NEAR(count, std::round(count), 1e-9);
    EXPECT_GE(value, 0);
    EXPECT_LE(value, 57 * 0.6 / 30 + 1e-12);
  }
}

TEST(RandomGeneratorTest, PoissonCountExtremes) {
  RandomGenerator random;
  random.set_seed(kSeedBeforeZero);
  EXPECT_EQ(random.PoissonCount(30), 0);
  random.set_seed(kSeedBeforeLargest);
  EXPECT_EQ(random.PoissonCount(30), 57);
  random.set_seed(kSeedBeforeLargest);
  EXPECT_EQ(random.PoissonCount(0.5), 5);  // the search limit is at least 5
}

TEST(RandomGeneratorTest, PoissonMeanIsLambda) {
  RandomGenerator random;
  double sum = 0;
  const int n = 200000;
  for (int i = 0; i < n; ++i)
    sum += random.PoissonCount(30);
  EXPECT_NEAR(sum / n, 30, 0.1);  // standard error about 0.012
}

TEST(RandomGeneratorTest, ZeroDrawsGiveFiniteDurations) {
  RandomGenerator random;
  random.set_seed(kSeedBeforeZero);
  EXPECT_TRUE(std::isfinite(random.Variate(kExponential, 1, 1)));
  // The Gaussian law's last draw is the one that meets the logarithm.
  std::uint32_t seed = kSeedBeforeZero;
  for (int back = 0; back < 2; ++back)
    seed = (seed - 1u) * 3645876429u;  // two steps back
  random.set_seed(seed);
  EXPECT_TRUE(std::isfinite(random.Variate(kGaussian, 1, 1)));
  EXPECT_EQ(random.seed(), 0u);                  // the zero draw was indeed taken
  EXPECT_EQ(random.Variate(kPoisson, 0, 1), 0);  // a zero mean gives zero durations
}

}  // namespace
}  // namespace qsim
