#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_runner.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;

const std::string kModel =
    "generator 1;\nla 4;\nrasp 0;\ndisp 1;\ntransfer 1;\n1 queue 1;\n"
    "queue 1;\nlen 1;\ntransfer 1;\n1 device 1;\n"
    "device 1;\nk 1;\nv 0.2;\nrasp 0;\ndisp 1;\ntransfer 1;\n1 terminator;\nsimulate 50;\n";

// kModel with `from` replaced by `to`.
std::string Edited(const std::string& from, const std::string& to) {
  std::string model = kModel;
  model.replace(model.find(from), from.size(), to);
  return model;
}

class RobustOutputTest : public test_support::CliRunner {
 protected:
  std::string Model(const std::string& text = kModel) { return Write("m.txt", text).string(); }
};

// Runs started together, all in one second, each keep a report of their own.
TEST_F(RobustOutputTest, RunsOfOneSecondTakeNamesOfTheirOwn) {
  const std::string model = Model();
  const std::string reports = (folder_ / "reports").string();
  std::string burst;
  for (int i = 0; i < 6; ++i) {
    burst += "'" QSIM_CLI_PATH "' run --decimal-separator . '" + model + "' --reports-dir '" +
             reports + "' & ";
  }
  const auto result = Shell("sh -c \"" + burst + "wait\"");
  std::istringstream printed(result.out);
  std::set<std::string> paths;
  for (std::string line; std::getline(printed, line);)
    paths.insert(line);
  EXPECT_EQ(paths.size(), 6u) << result.out << result.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(reports), fs::directory_iterator()), 6);
}

TEST_F(RobustOutputTest, ReportNamesAreKeptAsGiven) {
  const std::string run =
      "run --decimal-separator . '" + Model() + "' --reports-dir '" + folder_.string() + "'";
  EXPECT_EQ(Run(run + " --report-name 报告").status, 0);
  EXPECT_EQ(Run(run + " --report-name 日本").status, 0);
  EXPECT_TRUE(fs::exists(folder_ / "报告.htm"));
  EXPECT_TRUE(fs::exists(folder_ / "日本.htm"));
  const auto empty = Run(run + " --report-name ''");
  EXPECT_EQ(empty.status, 2);
  EXPECT_FALSE(fs::exists(folder_ / ".htm"));
}

// Standard output that cannot take what is printed is an error, never success.
TEST_F(RobustOutputTest, AFullStandardOutputIsAnError) {
  for (const char* command : {"canon", "check", "analyze", "sweep"}) {
    const auto result =
        Run(std::string(command) + " --decimal-separator . '" + Model() + "' >/dev/full");
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_NE(result.err.find("Не удалось вывести результат: нет места на диске"),
              std::string::npos)
        << command << ": " << result.err;
  }
}

// Every file the command line writes, over a file that was there, on a full
// file system: the command fails, the old file stays as it was, and nothing is
// left behind.
TEST_F(RobustOutputTest, AFullFileSystemKeepsTheOldFile) {
  const fs::path full = folder_ / "full";
  fs::create_directories(full);
  if (std::system(("mount -t tmpfs -o size=64k tmpfs '" + full.string() + "' 2>/dev/null").c_str()))
    GTEST_SKIP() << "a small tmpfs cannot be mounted here (needs root)";
  const std::string model = Model();
  const std::string sweep = "sweep --decimal-separator . '" + model + "' --replications 2";
  const std::string part = Write("part.csv", Run(sweep + " --shard 0/1").out).string();
  const std::string run =
      "run --decimal-separator . '" + model + "' --reports-dir '" + full.string() + "' --no-input ";
  const struct {
    const char* file;
    std::string command;
  } cases[] = {
      {"m.txt",
       "canon '" + (full / "m.txt").string() + "' --output '" + (full / "m.txt").string() + "'"},
      {"t.csv", sweep + " --param queue:1:len --from 1 --to 200 --steps 200 --csv '" +
                    (full / "t.csv").string() + "'"},
      {"t.csv", "merge '" + part + "' --csv '" + (full / "t.csv").string() + "'"},
      {"p.bmp", "draw '" + model + "' '" + (full / "p.bmp").string() + "'"},
      {"r.htm", run + "--report-name r"},
      {"r.htm.bmp", run + "--report-name r --picture"},
      {"p.txt", run + "--report-name r --protocol-name p"},
  };
  for (const auto& c : cases) {
    const fs::path target = full / c.file;
    const std::string old(500, 'o');
    Write("old", old);
    fs::copy_file(folder_ / "old", target, fs::copy_options::overwrite_existing);
    if (std::string(c.file) == "m.txt")
      fs::copy_file(model, target, fs::copy_options::overwrite_existing);
    const std::string before = ReadAll(target);
    std::system(
        ("dd if=/dev/zero of='" + (full / "filler").string() + "' bs=1k count=200 2>/dev/null")
            .c_str());
    const auto result = Run(c.command);
    EXPECT_EQ(result.status, 2) << c.command << "\n" << result.err;
    EXPECT_EQ(ReadAll(target), before) << c.command;
    fs::remove(full / "filler");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(full))
      left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{c.file}) << c.command;
    fs::remove(target);
  }
  std::system(("umount '" + full.string() + "'").c_str());
}

// Counts no series can have end with a message and status 2, without a sanitizer
// report (which would abort). Crafted parts: tests/commands/series_test.cpp.
TEST_F(RobustOutputTest, ExtremeCountsAreRefused) {
  const std::string sweep = "sweep --decimal-separator . '" + Model() + "' ";
  for (const char* options :
       {"--replications 1000000000", "--jobs 2000", "--shard 0/9223372036854775807",
        "--param device:1:v --from -1e308 --to 1e308"}) {
    const auto result = Run(sweep + options);
    EXPECT_EQ(result.status, 2) << options << ": " << result.err;
    EXPECT_FALSE(result.err.empty()) << options;
  }
}

// analyze works on the model a run simulates, says what the check corrected, and
// prints no number that is not one; analyze and bench end a run at --max-events
// and fail for it.
TEST_F(RobustOutputTest, AnalyzeAndBenchWorkOnTheModelARunSimulates) {
  auto result =
      Run("analyze --decimal-separator . '" + Model(Edited("len 1;", "len 1000;") + "") + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("Исправлено на 200."), std::string::npos) << result.err;
  result = Run("analyze --decimal-separator . '" + Model(Edited("v 0.2;", "v 1e308;")) + "'");
  EXPECT_EQ(result.out.find("NAN"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("INF"), std::string::npos) << result.out;
  const std::string circling = Model(Edited("transfer 1;\n1 terminator;",
                                            "transfer 2;\n"
                                            "1 queue 1;\n1 terminator;"));
  result = Run("analyze --decimal-separator . '" + circling + "' --max-events 20000");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("выполнено 20000 событий"), std::string::npos) << result.err;
  result = Run("bench --decimal-separator . '" + circling + "' --max-events 20000 --runs 1");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.out.find("not finished"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace qsim
