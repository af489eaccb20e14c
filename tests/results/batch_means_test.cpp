#include "results/batch_means.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "results/mser_warmup.h"

namespace qsim {
namespace {

// Four cells of equal time give four batches: the ordinary interval of four means
// 1, 2, 3, 6 (mean 3, standard deviation sqrt(14/3)) with t(0.975, 3) = 3.182446.
TEST(BatchMeans, EqualCellsGiveTheIntervalOfTheirMeans) {
  const std::vector<double> sums{1, 2, 3, 6};
  const std::vector<double> times(4, 1.0);
  const auto estimate = BatchMeansEstimate(sums, times, 0.95);
  ASSERT_TRUE(estimate && estimate->half_width);
  EXPECT_DOUBLE_EQ(estimate->mean, 3);
  EXPECT_NEAR(*estimate->half_width, 3.182446 * std::sqrt(14.0 / 3) / 2, 1e-5);
  EXPECT_EQ(estimate->batches, 4);
}

// A ratio over unequal counts: R = 12 / 6 = 2, residuals 2-2, 4-4, 6-4 and 0-2
// (sum 0), variance 8/3 a batch, half-width t(3) sqrt(4 * 8/3) / 6.
TEST(BatchMeans, UnequalCountsGiveTheRatioEstimatorsInterval) {
  const std::vector<double> sums{2, 4, 6, 0};
  const std::vector<double> counts{1, 2, 2, 1};
  const auto estimate = BatchMeansEstimate(sums, counts, 0.95);
  ASSERT_TRUE(estimate && estimate->half_width);
  EXPECT_DOUBLE_EQ(estimate->mean, 2);
  EXPECT_NEAR(*estimate->half_width, 3.182446 * std::sqrt(4 * 8.0 / 3) / 6, 1e-5);
}

TEST(BatchMeans, NothingCountedHasNoEstimateAndOneCellNoInterval) {
  EXPECT_FALSE(BatchMeansEstimate(std::vector<double>{1, 2}, std::vector<double>{0, 0}, 0.95));
  const auto one = BatchMeansEstimate(std::vector<double>{5}, std::vector<double>{2}, 0.95);
  ASSERT_TRUE(one);
  EXPECT_DOUBLE_EQ(one->mean, 2.5);
  EXPECT_FALSE(one->half_width);
}

// A slow trend correlates neighbouring batches: 32 become 16 and 8, where the
// joining stops however correlated they remain.
TEST(BatchMeans, CorrelatedBatchesAreJoinedInPairsDownToEight) {
  std::vector<double> sums(64);
  for (std::size_t i = 0; i < sums.size(); ++i)
    sums[i] = std::sin(static_cast<double>(i) / 20);
  const auto estimate = BatchMeansEstimate(sums, std::vector<double>(64, 1.0), 0.95);
  ASSERT_TRUE(estimate);
  EXPECT_EQ(estimate->batches, kFewestBatches);
  // Alternating cells are anticorrelated: the first 32 batches stand.
  std::vector<double> alternating(64);
  for (std::size_t i = 0; i < alternating.size(); ++i)
    alternating[i] = i % 4 < 2 ? 1 : 3;
  EXPECT_EQ(BatchMeansEstimate(alternating, std::vector<double>(64, 1.0), 0.95)->batches,
            kInitialBatches);
}

struct MserCase {
  std::vector<double> observations;
  std::size_t dropped;
};

class Mser5 : public ::testing::TestWithParam<MserCase> {};

TEST_P(Mser5, DropsTheStartThatRaisesTheStandardError) {
  EXPECT_EQ(Mser5Truncation(GetParam().observations), GetParam().dropped);
}

std::vector<double> Ramp() {
  // Ten observations climbing from 0, then a level of 10 with a small wobble.
  std::vector<double> series;
  for (int i = 0; i < 10; ++i)
    series.push_back(i);
  for (int i = 0; i < 40; ++i)
    series.push_back(10 + (i % 2 ? 0.1 : -0.1));
  return series;
}

INSTANTIATE_TEST_SUITE_P(
    Series, Mser5,
    ::testing::Values(MserCase{{}, 0}, MserCase{{1, 2, 3, 4, 5, 6, 7, 8, 9}, 0},
                      MserCase{std::vector<double>(50, 4.0), 0}, MserCase{Ramp(), 10},
                      // A start from zero in one batch of five.
                      MserCase{{0, 0, 0, 0, 0, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 5, 5, 5, 5, 5}, 5}));

// The warm-up ends where the rise from empty first meets the level MSER-5 keeps:
// an early excursion above it stays in.
TEST(RiseToSteadyLevel, EndsWhereTheRiseMeetsTheSteadyLevel) {
  std::vector<double> series{0, 1, 2, 3, 4, 9, 9, 9, 9, 9};
  for (int i = 0; i < 40; ++i)
    series.push_back(5 + (i % 2 ? 0.5 : -0.5));
  EXPECT_EQ(Mser5Truncation(series), 10u);
  EXPECT_EQ(RiseToSteadyLevel(series), 5u);
  EXPECT_EQ(RiseToSteadyLevel(std::vector<double>{}), 0u);
}

}  // namespace
}  // namespace qsim
