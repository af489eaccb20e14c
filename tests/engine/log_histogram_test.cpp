#include "engine/log_histogram.h"

#include <gtest/gtest.h>

#include <vector>

namespace qsim {
namespace {

LogHistogram Of(const std::vector<double>& values) {
  LogHistogram histogram;
  for (double value : values)
    histogram.Add(value);
  return histogram;
}

struct QuantileCase {
  std::vector<double> values;
  double p;
  double sample_quantile;  // the value at rank ceil(p n)
};

class LogHistogramQuantile : public ::testing::TestWithParam<QuantileCase> {};

// Every quantile is its sample quantile within 1/128 of it.
TEST_P(LogHistogramQuantile, LiesWithinOneHundredTwentyEighthOfTheSampleQuantile) {
  const QuantileCase& c = GetParam();
  const double quantile = Of(c.values).Quantile(c.p);
  if (c.sample_quantile == 0) {
    EXPECT_EQ(quantile, 0);
  } else {
    EXPECT_NEAR(quantile, c.sample_quantile, c.sample_quantile / 128);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, LogHistogramQuantile,
    ::testing::Values(QuantileCase{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0.5, 5},
                      QuantileCase{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0.9, 9},
                      QuantileCase{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0.91, 10},
                      QuantileCase{{0, 0, 0, 7.5}, 0.75, 0},  // zero waits are common
                      QuantileCase{{0, 0, 0, 7.5}, 1, 7.5},
                      QuantileCase{{-3, 1e-13, 1e6}, 0.5, 0},  // below 2^-40 counts as 0
                      QuantileCase{{1e-6, 1e6, 0.001}, 0.5, 0.001},
                      QuantileCase{{1.0 + 1.0 / 64 - 1e-12}, 0.5, 1.0 + 1.0 / 64}));

TEST(LogHistogram, EmptyGivesZero) {
  EXPECT_EQ(LogHistogram{}.Quantile(0.5), 0);
  EXPECT_EQ(LogHistogram{}.count(), 0u);
}

TEST(LogHistogram, MergeGivesTheHistogramOfBothStreams) {
  LogHistogram low = Of({0, 0.5, 0.75});
  low.Merge(Of({1000, 2000, 4000, 0.25}));
  const LogHistogram both = Of({0, 0.5, 0.75, 1000, 2000, 4000, 0.25});
  EXPECT_EQ(low.count(), 7u);
  for (double p : {0.1, 0.3, 0.5, 0.6, 0.8, 1.0})
    EXPECT_EQ(low.Quantile(p), both.Quantile(p)) << p;
  ASSERT_EQ(low.Bars().size(), both.Bars().size());
  EXPECT_EQ(low.Bars().front().count, 1u);  // the zero bucket first
  EXPECT_EQ(low.Bars().front().low, 0);
}

}  // namespace
}  // namespace qsim
