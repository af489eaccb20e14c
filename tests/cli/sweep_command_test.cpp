#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/cli/cli_runner.h"

namespace qsim {
namespace {

const std::string kModel =
    "generator 1;\nla 4;\nrasp 0;\ndisp 1;\ntransfer 1;\n1 queue 1;\n"
    "queue 1;\nlen 1;\ntransfer 1;\n1 device 1;\n"
    "device 1;\nk 1;\nv 0.2;\nrasp 0;\ndisp 1;\ntransfer 1;\n1 terminator;\nsimulate 500;\n";

class SweepCommandTest : public test_support::CliRunner {};

TEST_F(SweepCommandTest, WritesOneCsvRowPerPoint) {
  const auto model = Write("m.txt", kModel);
  const auto csv = folder_ / "out.csv";
  const auto result =
      Run("sweep --decimal-separator . '" + model.string() +
          "' --param queue:1:len --from 1 --to 4 --steps 4 --replications 2 --csv '" +
          csv.string() + "'");
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string text = ReadAll(csv);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
  EXPECT_EQ(text.substr(0, text.find('\n')),
            "value,generator_1_served,generator_1_served_ci95,generator_1_refused,"
            "generator_1_refused_ci95,generator_1_mean_stay,generator_1_mean_stay_ci95,"
            "queue_1_mean_length,queue_1_mean_length_ci95,queue_1_mean_wait,queue_1_mean_wait_ci95,"
            "device_1_utilisation,device_1_utilisation_ci95");
  EXPECT_NE(text.find("\n4,"), std::string::npos);
}

// The table is the same bytes however the runs are spread: over threads, and over
// shards merged in either order.
TEST_F(SweepCommandTest, JobsAndMergedShardsWriteTheSameTable) {
  const std::string sweep = "sweep --decimal-separator . '" + Write("m.txt", kModel).string() +
                            "' --param device:1:v --from 0.1 --to 0.3 --steps 3 --replications 3"
                            " --seed 9";
  const auto table = [&](const std::string& options) {
    const auto result = Run(sweep + " " + options);
    EXPECT_EQ(result.status, 0) << options << ": " << result.err;
    return result.out;
  };
  const std::string alone = table("--jobs 1");
  EXPECT_EQ(std::count(alone.begin(), alone.end(), '\n'), 4);
  EXPECT_EQ(table("--jobs 2"), alone);
  EXPECT_EQ(table("--jobs 5"), alone);
  const std::string part0 = Write("p0.csv", table("--shard 0/2")).string();
  const std::string part1 = Write("p1.csv", table("--shard 1/2")).string();
  EXPECT_EQ(Run("merge '" + part1 + "' '" + part0 + "'").out, alone);
  const auto out = folder_ / "merged.csv";
  ASSERT_EQ(Run("merge '" + part0 + "' '" + part1 + "' --csv '" + out.string() + "'").status, 0);
  EXPECT_EQ(ReadAll(out), alone);
  EXPECT_EQ(Run("merge '" + part0 + "'").status, 2);
}

TEST_F(SweepCommandTest, WithoutAParameterTheModelRunsAsItIs) {
  const auto result =
      Run("sweep --decimal-separator . '" + Write("m.txt", kModel).string() + "' --replications 2");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 2);
  EXPECT_EQ(result.out.substr(result.out.find('\n'), 2), "\n,");  // no value varies
}

TEST_F(SweepCommandTest, BadParametersAreErrors) {
  const auto model = Write("m.txt", kModel);
  EXPECT_EQ(Run("sweep '" + model.string() + "' --param queue:1:k --from 1 --to 2").status, 2);
  const auto missing = Run("sweep --decimal-separator . '" + model.string() +
                           "' --param queue:9:len --from 1 --to 2");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("9"), std::string::npos);
  EXPECT_EQ(Run("sweep '" + model.string() + "' --from 1 --to 2").status, 2);
  for (const char* shard : {"2/2", "-1/2", "1", "0/0"})
    EXPECT_EQ(Run("sweep '" + model.string() + "' --shard " + shard).status, 2) << shard;
}

}  // namespace
}  // namespace qsim
