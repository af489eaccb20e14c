#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "commands/parallel_series.h"
#include "commands/series_parts.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_reader.h"
#include "results/confidence_interval.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;
const NumberFormat kPoint{'.'};

// A busy single line with refusals, uniform laws, a queue whose length varies.
const Lines kModel = {"generator 1;", "la 4;",         "rasp 0;",      "disp 1;",     "transfer 1;",
                      "1 queue 1;",   "queue 1;",      "len 1;",       "transfer 1;", "1 device 1;",
                      "device 1;",    "k 1;",          "v 0.2;",       "rasp 0;",     "disp 1;",
                      "transfer 1;",  "1 terminator;", "simulate 300;"};

class SeriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Lines text = kModel;
    ReadModelText(text, *store_, kPoint);
  }

  std::string Csv(const SeriesDefinition& series, int jobs) {
    SeriesOptions options;
    options.jobs = jobs;
    const SeriesSummary summary = RunSeries(*store_, series, kPoint, options);
    return SweepCsv(SweepColumns(*store_), summary.points, series.replications > 1,
                    series.range.has_value());
  }

  std::string Part(const SeriesDefinition& series, SeriesShard shard) {
    SeriesOptions options;
    options.jobs = 2;
    options.shard = shard;
    return SeriesPartCsv(*store_, series, shard, RunSeriesShard(*store_, series, kPoint, options));
  }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  const SeriesDefinition series_{SweepRange{{ElementKind::Queue, 1, SweepField::Length}, 1, 4, 4},
                                 3, 11};
};

TEST_F(SeriesTest, TheTableDoesNotDependOnHowTheRunsWereSpread) {
  const std::string alone = Csv(series_, 1);
  for (int jobs : {2, 5})
    EXPECT_EQ(Csv(series_, jobs), alone) << jobs << " jobs";
  std::vector<std::string> parts = {Part(series_, {0, 3}), Part(series_, {1, 3}),
                                    Part(series_, {2, 3})};
  std::vector<std::string> names = {"a", "b", "c"};
  do {
    EXPECT_EQ(MergeSeriesParts(parts, names), alone) << parts[0].substr(0, 24);
  } while (std::next_permutation(parts.begin(), parts.end()));
  EXPECT_EQ(MergeSeriesParts({Part(series_, {0, 1})}, {"whole"}), alone);
}

// Replication r draws from one stream at every point: where the parameter does
// not change, neither do the results, while the replications differ.
TEST_F(SeriesTest, AReplicationHasOneStreamAtEveryPoint) {
  SeriesDefinition series{
      SweepRange{{ElementKind::Device, 1, SweepField::ServiceTime}, 0.2, 0.2, 3}, 2, 5};
  std::vector<std::optional<SeriesRunResult>> runs = RunSeriesShard(*store_, series, kPoint, {});
  for (std::size_t run = 2; run < runs.size(); ++run)
    EXPECT_EQ(runs[run]->values, runs[run % 2]->values) << run;
  EXPECT_NE(runs[0]->values, runs[1]->values);
}

TEST_F(SeriesTest, IntervalsShrinkAsReplicationsGrow) {
  double previous = 1e300;
  for (int replications : {4, 16, 64}) {
    const SeriesDefinition series{std::nullopt, replications, 1};
    const SeriesSummary summary = RunSeries(*store_, series, kPoint, {});
    ASSERT_EQ(summary.points.size(), 1u);
    const double half_width = *summary.points[0].statistics[5].half_width;  // utilisation
    EXPECT_LT(half_width, previous) << replications;
    previous = half_width;
  }
}

TEST(StudentT95Test, IsTheExactQuantile) {
  EXPECT_NEAR(StudentT95(1), 12.706204736174707, 1e-12);
  EXPECT_NEAR(StudentT95(9), 2.2621571627982053, 1e-12);
  EXPECT_NEAR(StudentT95(40), 2.0210753903062737, 1e-12);
  EXPECT_NEAR(StudentT95(60), 2.0002978220142609, 1e-12);
  EXPECT_NEAR(StudentT95(100000), 1.9599877, 1e-6);
}

TEST_F(SeriesTest, PartsOfAnotherSeriesOrMissingOnesDoNotMerge) {
  const std::string first = Part(series_, {0, 2});
  const std::string second = Part(series_, {1, 2});
  SeriesDefinition other = series_;
  other.seed = 12;
  const auto message = [](const std::vector<std::string>& parts) {
    try {
      MergeSeriesParts(parts, {"p", "q"});
    } catch (const QsimError& error) {
      return Cp1251ToUtf8(error.message());
    }
    return std::string("merged");
  };
  EXPECT_EQ(message({first, Part(other, {1, 2})}), "q: часть другой серии прогонов");
  EXPECT_EQ(message({first, first}), "q: эта часть уже была");
  EXPECT_EQ(message({second}), "Нет части 0/2");
  EXPECT_EQ(message({"value,a\n1,2\n"}), "p: это не часть серии прогонов");
  std::string cut = second;
  cut.erase(cut.rfind('\n', cut.size() - 2) + 1);
  EXPECT_EQ(message({first, cut}), "В частях нет прогона 11");
}

// Parts made by hand or damaged: every field is checked before it sizes or
// indexes anything, so each gives the reading error and nothing else.
TEST(SeriesPartsTest, CraftedPartsAreRefused) {
  const std::string head = "# qsim series part 0/1 points=1 replications=1 values=no series=1\n";
  const std::string long_row = "0,1," + std::string(1000, '7');
  const struct {
    const char* name;
    std::string part;
    const char* message;
  } cases[] = {
      {"one column", head + "run\n0,1\n", "p: это не часть серии прогонов"},
      {"no columns", head + "\n0,1\n", "p: это не часть серии прогонов"},
      {"empty row", head + "run,value,a\n\n", "p: неверная строка прогона: "},
      {"huge part count",
       "# qsim series part 0/4611686018427387904 points=1 replications=1 values=no series=1\n"
       "run,value\n",
       "p: это не часть серии прогонов"},
      {"points beyond 32 bits",
       "# qsim series part 0/1 points=4294967297 replications=1 values=no series=1\nrun,value\n",
       "p: это не часть серии прогонов"},
      {"replications beyond 32 bits",
       "# qsim series part 0/1 points=1 replications=4294967297 values=no series=1\nrun,value\n",
       "p: это не часть серии прогонов"},
      {"runs beyond a series",
       "# qsim series part 0/1 points=100000 replications=100000 values=no series=1\n"
       "run,value\n",
       "p: это не часть серии прогонов"},
      {"not a number", head + "run,value,a\n0,nan,1\n", "p: неверная строка прогона: 0,nan,1"},
      {"infinite", head + "run,value,a\n0,1,inf\n", "p: неверная строка прогона: 0,1,inf"},
      {"long row", head + "run,value,a\n" + long_row + "\n", "p: неверная строка прогона: "},
  };
  for (const auto& c : cases) {
    try {
      MergeSeriesParts({c.part}, {"p"});
      ADD_FAILURE() << c.name << ": merged";
    } catch (const QsimError& error) {
      const std::string message = Cp1251ToUtf8(error.message());
      EXPECT_EQ(message.substr(0, std::string(c.message).size()), c.message) << c.name;
      EXPECT_LE(message.size(), std::string(c.message).size() + 203) << c.name;
    }
  }
}

}  // namespace
}  // namespace qsim
