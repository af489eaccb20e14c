#include "engine/run_statistics.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>

#include "engine/simulation.h"
#include "language/model_text_reader.h"
#include "language/text_file.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;

double Total(std::span<const double> cells) {
  return std::accumulate(cells.begin(), cells.end(), 0.0);
}

// A source of constant interval 1 into a queue and a device of constant service
// 0.5: no request ever waits and each stays 0.5.
Lines ConstantLine(const std::string& stop) {
  return {"generator 1;", "la 1;",       "rasp 4;",       "transfer 1;", "1 queue 1;", "queue 1;",
          "len 5;",       "transfer 1;", "1 device 1;",   "device 1;",   "k 1;",       "v 0.5;",
          "rasp 4;",      "transfer 1;", "1 terminator;", stop};
}

class RunStatisticsTest : public ::testing::Test {
 protected:
  RunResult Run(Lines text, RunStatistics* statistics) {
    store_->settings.process_all = false;
    ReadModelText(text, *store_, NumberFormat{'.'});
    RandomGenerator random;
    Simulation simulation(*store_, random);
    RunControls controls;
    controls.statistics = statistics;
    return simulation.RunSimulation(nullptr, controls);
  }
  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  RunStatistics statistics_;
};

TEST_F(RunStatisticsTest, SumsTheRunsCountsDurationsAndAreas) {
  Run(ConstantLine("simulate 10;"), &statistics_);
  using S = RunStatistics;
  EXPECT_EQ(Total(statistics_.Cells(S::Figure(S::NetworkSum::Departures))), 10);
  EXPECT_DOUBLE_EQ(Total(statistics_.Cells(S::Figure(S::NetworkSum::StaySum))), 5);
  EXPECT_NEAR(Total(statistics_.Cells(S::Figure(S::NetworkSum::InSystem))), 5, 1e-9);
  EXPECT_NEAR(Total(statistics_.Cells(statistics_.Figure(S::DeviceSum::Busy, 1))), 5, 1e-9);
  EXPECT_EQ(Total(statistics_.Cells(statistics_.Figure(S::QueueSum::Arrivals, 1))), 10);
  EXPECT_EQ(Total(statistics_.Cells(statistics_.Figure(S::QueueSum::Starts, 1))), 10);
  EXPECT_EQ(Total(statistics_.Cells(statistics_.Figure(S::QueueSum::WaitSum, 1))), 0);
  EXPECT_EQ(Total(statistics_.Cells(statistics_.Figure(S::GeneratorSum::Served, 1))), 10);
  EXPECT_NEAR(statistics_.Stays(1, 0).Quantile(0.5), 0.5, 0.5 / 128);
  EXPECT_EQ(statistics_.end_time(), store_->now);
}

// A run by time 40 times longer than its first cells cover: the cells are joined
// in pairs as it goes and still hold every departure and the whole area.
TEST_F(RunStatisticsTest, JoinsCellsInPairsWhenTheRunOutgrowsThem) {
  Run(ConstantLine("by_time 3000;"), &statistics_);
  const double first_width = 4.0;  // four arrivals a cell at intensity 1
  EXPECT_GT(statistics_.cell_width(), first_width);
  EXPECT_LE(statistics_.cells_used(), statistics_.cell_count());
  using S = RunStatistics;
  const double departures = Total(statistics_.Cells(S::Figure(S::NetworkSum::Departures)));
  EXPECT_EQ(departures, store_->generator(1).stats.served);
  EXPECT_NEAR(Total(statistics_.Cells(S::Figure(S::NetworkSum::StaySum))), departures * 0.5, 1e-6);
}

// Watching a run never changes it: the same draws give the same records.
class WatchedRunTest : public ::testing::TestWithParam<const char*> {};

TEST_P(WatchedRunTest, TakesTheSameDrawsAsARunNotWatched) {
  auto run = [](RunStatistics* statistics) {
    auto store = std::make_unique<ModelStore>();
    std::vector<std::string> text =
        ReadTextLines(std::string(QSIM_GOLDEN_DIR) + "/" + GetParam() + ".txt");
    ReadModelText(text, *store, NumberFormat{'.'});
    RandomGenerator random;
    Simulation simulation(*store, random);
    RunControls controls;
    controls.statistics = statistics;
    const RunResult result = simulation.RunSimulation(nullptr, controls);
    return std::tuple(result.events, store->now, random.seed(), store->generator(1).stats.sum_stay,
                      store->queue(1).stats.sum_wait, store->device(1).stats.busy_area);
  };
  RunStatistics statistics;
  EXPECT_EQ(run(nullptr), run(&statistics));
}

INSTANTIATE_TEST_SUITE_P(Golden, WatchedRunTest,
                         ::testing::Values("01_constant_count", "03_refusals", "06_all_laws",
                                           "08_three_generators"));

// Every request is counted once: in a run by time those on their way to an event
// at or after the stopping instant are left inside, with those in places and
// channels.
TEST_F(RunStatisticsTest, EveryRequestGeneratedIsCountedOnceInARunByTime) {
  for (const char* stop : {"by_time 7.25;", "by_time 7.5;", "by_time 8;", "by_time 100;"}) {
    const RunResult result = Run(ConstantLine(stop), nullptr);
    const GeneratorRecord& g = store_->generator(1);
    EXPECT_EQ(g.stats.served + g.stats.unserved, store_->generated) << stop;
    EXPECT_EQ(g.stats.unserved, result.live_requests) << stop;
  }
}

}  // namespace
}  // namespace qsim
