#include "results/run_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "tests/support/watched_runs.h"

namespace qsim {
namespace {

using test_support::Covers;
using test_support::MM1Text;
using test_support::WatchedRun;

// Statistical checks of the figures over independent runs (the series streams of
// seeds 1, 2, ...), fewer and shorter than the claims in bench/statistics_bench.cpp
// and so with wider bands. M/M/1 with arrival rate 1 and mean service rho has mean
// queue length and mean wait rho^2 / (1 - rho) and P(wait > t) = rho e^{-(1/rho - 1) t}.
struct StatisticalCase {
  const char* name;
  std::function<double()> measure;
  double low;
  double high;
};

// The smaller share, of the mean queue length's and of the mean wait's, of `runs`
// runs of `requests` requests at load 0.8 whose interval holds the exact 3.2.
double Coverage(int runs, int requests) {
  int length_hits = 0;
  int wait_hits = 0;
  for (int seed = 1; seed <= runs; ++seed) {
    const QueueFigures q = WatchedRun(MM1Text(0.8, requests), seed).queues[0];
    length_hits += Covers(q.mean_length, 3.2);
    wait_hits += Covers(q.mean_wait, 3.2);
  }
  return static_cast<double>(std::min(length_hits, wait_hits)) / runs;
}

// The mean over `runs` runs of 2,000 requests at load 0.9 of the mean queue length
// with the automatic warm-up, relative to the exact 8.1, less 1.
double WarmupBias(int runs) {
  double sum = 0;
  for (int seed = 1; seed <= runs; ++seed)
    sum += WatchedRun(MM1Text(0.9, 2000), seed).queues[0].mean_length->mean;
  return sum / runs / 8.1 - 1;
}

// The largest relative error of the wait percentiles of one long run at load 0.8.
double WorstPercentileError(int requests) {
  const Percentiles p = *WatchedRun(MM1Text(0.8, requests), 1).queues[0].wait_percentiles;
  auto error = [](double value, double level) {
    return std::abs(value / (std::log(0.8 / (1 - level)) / 0.25) - 1);
  };
  return std::max({error(p.p50, 0.5), error(p.p90, 0.9), error(p.p95, 0.95), error(p.p99, 0.99)});
}

// Two sources of rate 1 and priorities 0 and 1 before one exponential device of
// mean 0.4: non-preemptive priority gives W0 = 0.32 and waits W0 / (1 - 0.4) and
// W0 / (0.6 * 0.2). Both intervals must hold their exact values: 1 when they do.
double PriorityWaitsCovered() {
  const RunFigures f = WatchedRun(MM1Text(0.4, 100'000, {0, 1}), 7);
  const auto& waits = f.queues[0].waits_by_priority;
  return waits.size() == 2 && waits[0].first == 0 && Covers(waits[0].second, 0.32 / 0.6) &&
         Covers(waits[1].second, 0.32 / 0.12);
}

class StatisticalTest : public ::testing::TestWithParam<StatisticalCase> {};

TEST_P(StatisticalTest, StaysWithinItsBand) {
  const double measured = GetParam().measure();
  EXPECT_GE(measured, GetParam().low);
  EXPECT_LE(measured, GetParam().high);
}

INSTANTIATE_TEST_SUITE_P(
    MM1, StatisticalTest,
    ::testing::Values(StatisticalCase{"Coverage", [] { return Coverage(30, 10'000); }, 0.8, 1},
                      StatisticalCase{"WarmupBias", [] { return WarmupBias(150); }, -0.06, 0.06},
                      StatisticalCase{"Percentiles", [] { return WorstPercentileError(300'000); },
                                      0, 0.04},
                      StatisticalCase{"PriorityWaits", PriorityWaitsCovered, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// A run asked for a precision stops, well before its own end, once every figure
// it marks has reached it; what it marks decides when that is.
TEST(PrecisionStop, EndsTheRunOnceTheMarkedFiguresAreThatPrecise) {
  auto within = [](const std::optional<Estimate>& e) {
    return e && e->half_width && *e->half_width <= 0.05 * e->mean;
  };
  std::vector<std::int64_t> events;
  for (const PrecisionMarks marks :
       {PrecisionMarks{}, PrecisionMarks{.mean_wait = false, .utilisation = true},
        PrecisionMarks{.mean_wait = false, .mean_length = true, .utilisation = false},
        PrecisionMarks{.mean_wait = false, .utilisation = false, .mean_time_in_system = true}}) {
    const RunFigures f =
        WatchedRun(MM1Text(0.5, 10'000'000), 1, {.precision = 0.05, .marks = marks});
    EXPECT_TRUE(f.precision_reached);
    EXPECT_LT(f.run.generated, 10'000'000);
    EXPECT_TRUE(!marks.mean_wait || within(f.queues[0].mean_wait));
    EXPECT_TRUE(!marks.mean_length || within(f.queues[0].mean_length));
    EXPECT_TRUE(!marks.utilisation || within(f.devices[0].utilisation));
    EXPECT_TRUE(!marks.mean_time_in_system || within(f.generators[0].mean_time_in_system));
    events.push_back(f.run.events);
  }
  // The utilisation alone settles long before the waits do.
  EXPECT_LT(events[1], events[0]);
}

}  // namespace
}  // namespace qsim
