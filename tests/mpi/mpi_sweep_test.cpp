#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/cli/cli_runner.h"

namespace qsim {
namespace {

const std::string kModel =
    "generator 1;\nla 4;\nrasp 5;\ndisp 1;\ntransfer 1;\n1 queue 1;\n"
    "queue 1;\nlen 2;\ntransfer 1;\n1 device 1;\n"
    "device 1;\nk 1;\nv 0.2;\nrasp 5;\ndisp 1;\ntransfer 1;\n1 terminator;\nsimulate 400;\n";

class MpiSweepTest : public test_support::CliRunner {};

// Open MPI keeps memory to the end of the process, which the leak check would
// report, so the ranks run without it.
TEST_F(MpiSweepTest, AnyNumberOfRanksWritesTheTableOfOneThread) {
  if (std::system("command -v mpirun >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "mpirun is not installed (Debian: openmpi-bin)";
  const std::string arguments = "sweep --decimal-separator . '" + Write("m.txt", kModel).string() +
                                "' --param queue:1:len --from 1 --to 5 --steps 3"
                                " --replications 3 --seed 4";
  const auto alone = Run(arguments + " --jobs 1");
  ASSERT_EQ(alone.status, 0) << alone.err;
  for (int ranks = 1; ranks <= 3; ++ranks) {
    const auto spread = Shell(
        "ASAN_OPTIONS=detect_leaks=0 mpirun --allow-run-as-root "
        "--oversubscribe -np " +
        std::to_string(ranks) + " '" QSIM_MPI_PATH "' " + arguments);
    ASSERT_EQ(spread.status, 0) << ranks << " ranks: " << spread.err;
    EXPECT_EQ(spread.out, alone.out) << ranks << " ranks";
  }
}

// A rank that sends nothing (here: busy with a run that takes minutes) for
// --rank-timeout seconds ends the series, and an old table is kept.
TEST_F(MpiSweepTest, ARankThatDoesNotAnswerEndsTheSeries) {
  if (std::system("command -v mpirun >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "mpirun is not installed (Debian: openmpi-bin)";
  std::string endless = kModel;
  endless.replace(endless.find("simulate 400;"), 13, "by_time 1e15;");
  const std::string csv = Write("old.csv", "old table\n").string();
  const auto result = Shell(
      "ASAN_OPTIONS=detect_leaks=0 timeout 120 mpirun --allow-run-as-root --oversubscribe -np 2 "
      "'" QSIM_MPI_PATH "' sweep --decimal-separator . '" +
      Write("m.txt", endless).string() + "' --replications 4 --rank-timeout 2 --csv '" + csv + "'");
  EXPECT_NE(result.status, 0);
  EXPECT_NE(result.err.find("Процесс 1 не отвечает дольше 2 с"), std::string::npos) << result.err;
  EXPECT_EQ(ReadAll(csv), "old table\n");
}

}  // namespace
}  // namespace qsim
