#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/code_page.h"
#include "language/text_file.h"
#include "tests/cli/cli_runner.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;

const std::string kModel =
    "generator 1;\nla 1;\nrasp 4;\ntransfer 1;\n1 queue 1;\n"
    "queue 1;\nlen 5;\ntransfer 1;\n1 device 1;\n"
    "device 1;\nk 1;\nv 0.5;\nrasp 4;\ntransfer 1;\n1 terminator;\nsimulate 3;\n";

// The model with a one-place queue before a device busy for 100 units, and a
// last line that keeps the run going.
std::string SlowLine(const std::string& last_line) {
  std::string model = kModel + last_line + "\n";
  model.replace(model.find("v 0.5;"), 6, "v 100;");
  model.replace(model.find("len 5;"), 6, "len 1;");
  return model;
}

class RunCommandTest : public test_support::CliRunner {
 protected:
  std::string Reports() {
    fs::create_directories(folder_ / "reports");
    return (folder_ / "reports").string();
  }
  std::string RunModel(const std::string& text, const std::string& options) {
    const fs::path model = Write("model.txt", text);
    last_ = Run("run --decimal-separator . '" + model.string() + "' --reports-dir '" + Reports() +
                "' " + options);
    return last_.out;
  }
  test_support::CliResult last_;
};

TEST_F(RunCommandTest, WritesTheReportAndTheProtocolAndPrintsTheirPaths) {
  const std::string out = RunModel(kModel, "--protocol-name p --report-name r");
  EXPECT_EQ(last_.status, 0) << last_.err;
  EXPECT_EQ(out, Reports() + "/p.txt\n" + Reports() + "/r.htm\n");
  const std::string protocol = ReadAll(folder_ / "reports/p.txt");
  EXPECT_EQ(protocol.substr(0, 2), "\xCF\xF0");  // "Пр" in Windows-1251
  EXPECT_NE(protocol.find((folder_ / "model.txt").string() + "\r\n"), std::string::npos);
  const std::string report = ReadAll(folder_ / "reports/r.htm");
  EXPECT_NE(report.find("\xC2\xF0\xE5\xEC\xFF \xEC\xEE\xE4\xE5\xEB\xE8\xF0\xEE\xE2\xE0\xED\xE8"
                        "\xFF: </td><td>3</td>"),
            std::string::npos);  // the model time of the run
}

TEST_F(RunCommandTest, PictureOptionDrawsTheModelBesideTheReport) {
  RunModel(kModel, "--report-name r --picture");
  EXPECT_EQ(last_.status, 0) << last_.err;
  const std::string bitmap = ReadAll(folder_ / "reports/r.htm.bmp");
  ASSERT_EQ(bitmap.size(), 54u + 2048u * 3u * 1920u);
  EXPECT_EQ(bitmap.substr(0, 2), "BM");
  EXPECT_NE(ReadAll(folder_ / "reports/r.htm").find("r.htm.bmp\"></p>"), std::string::npos);
}

TEST_F(RunCommandTest, ASeriesOfRunsNumbersItsFiles) {
  const std::string out = RunModel(kModel, "--runs 2 --protocol --report-name r");
  EXPECT_EQ(last_.status, 0) << last_.err;
  EXPECT_TRUE(fs::exists(folder_ / "reports/r_1.htm"));
  EXPECT_TRUE(fs::exists(folder_ / "reports/r_2.htm"));
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 4);
  EXPECT_NE(out.find("_2.txt\n"), std::string::npos);
}

// Every figure as JSON, one file a run numbered as the reports; a seeded run is
// the same run each time.
TEST_F(RunCommandTest, JsonFilesOfSeededRunsAreNumberedAndAlike) {
  const std::string json = (folder_ / "figures.json").string();
  const std::string out =
      RunModel(kModel, "--runs 2 --report-name r --seed 7 --warmup none --json '" + json + "'");
  EXPECT_EQ(last_.status, 0) << last_.err;
  EXPECT_NE(out.find((folder_ / "figures_2.json").string() + "\n"), std::string::npos);
  const std::string first = ReadAll(folder_ / "figures_1.json");
  EXPECT_EQ(first, ReadAll(folder_ / "figures_2.json"));
  EXPECT_NE(first.find("\"in_system_at_end\": 0"), std::string::npos);
  EXPECT_NE(first.find("\"method\": \"none\""), std::string::npos);
  EXPECT_NE(first.find("\"precision_figures\": []"), std::string::npos);

  RunModel(kModel,
           "--precision 0.5 --precision-on ' utilisation,mean_length' --json '" + json + "'");
  EXPECT_EQ(last_.status, 0) << last_.err;
  EXPECT_NE(ReadAll(json).find("\"precision_figures\": [\"mean_length\", \"utilisation\"]"),
            std::string::npos);
}

TEST_F(RunCommandTest, AccuracyOptionsOutOfRangeAreUsageErrors) {
  for (const char* option :
       {"--warmup soon", "--warmup -1", "--precision 0", "--confidence 1", "--seed -2",
        "--precision-on mean_wait", "--precision-on waits --precision 0.1",
        "--precision-on mean_wait, --precision 0.1"}) {
    RunModel(kModel, option);
    EXPECT_EQ(last_.status, 2) << option;
    const std::string name = std::string(option).substr(0, std::string(option).find(' '));
    EXPECT_NE(last_.err.find(name + " needs"), std::string::npos) << option;
  }
}

TEST_F(RunCommandTest, ABlockingFindingStopsBeforeTheRun) {
  const std::string out = RunModel("simulate 0;\n", "");
  EXPECT_EQ(last_.status, 1);
  EXPECT_EQ(out, "");
  EXPECT_NE(last_.err.find("1. Система не имеет выхода"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(folder_ / "reports"));
  // Without the check the same model runs and reports nothing simulated.
  RunModel("simulate 0;\n", "--no-check");
  EXPECT_EQ(last_.status, 0) << last_.err;
}

TEST_F(RunCommandTest, NonBlockingFindingsAreAppliedAndTheRunGoesOn) {
  std::string model = kModel;
  model.replace(model.find("simulate 3;"), 11, "simulate 0;");
  RunModel(model, "");
  EXPECT_EQ(last_.status, 0) << last_.err;
  EXPECT_NE(last_.err.find("Исправлено на 100."), std::string::npos);
}

TEST_F(RunCommandTest, TheEventLimitStopsARunThatCannotEndAndItReportsUpToThatMoment) {
  const std::string model = SlowLine("process_all 0;");
  const std::string out = RunModel(model, "--max-events 100000 --report-name r");
  EXPECT_EQ(last_.status, 2);
  // The device is offered 100 times what it serves, and the run was warned of.
  EXPECT_EQ(last_.err,
            "Загрузка канала устройства 1 равна 100, не меньше 1: в системе без отказов очередь к "
            "нему будет расти без предела.\n"
            "qsim-cli: моделирование остановлено: выполнено 100000 событий (--max-events); отчет "
            "— за время от 0 до 2.\n");
  EXPECT_EQ(out, (folder_ / "reports/r.htm").string() + "\n");
  EXPECT_NE(ReadAll(folder_ / "reports/r.htm").find(Utf8ToCp1251("Расчет прерван в момент 2:")),
            std::string::npos);
}

TEST_F(RunCommandTest, ARunWhoseTimeStandsStillStopsWithoutAReport) {
  const std::string model = SlowLine("process_all 0;");
  RunModel(model, "");
  EXPECT_EQ(last_.status, 2);
  // Time stays at 2 for the stall limit of events in a row.
  EXPECT_TRUE(last_.err.ends_with(
      "qsim-cli: Моделирование остановлено: модельное время перестало расти (время 2, "
      "выполнено 10000008 событий); отчет не записан.\n"))
      << last_.err;
  EXPECT_TRUE(fs::is_empty(folder_ / "reports"));
}

TEST_F(RunCommandTest, CtrlCStopsTheRunAndItReportsUpToThatMoment) {
  const std::string model = SlowLine("by_time 1E300;");
  const fs::path path = Write("model.txt", model);
  const fs::path err = folder_ / "run_stderr.txt";
  last_ = Run("run --decimal-separator . '" + path.string() + "' --reports-dir '" + Reports() +
              "' 2>'" + err.string() + "' & pid=$!; sleep 1; kill -INT $pid; wait $pid; exit $?");
  EXPECT_EQ(last_.status, 2);
  EXPECT_TRUE(ReadAll(err).starts_with(
      "qsim-cli: моделирование прервано (Ctrl+C); отчет — за время от 0 до "))
      << ReadAll(err);
  EXPECT_FALSE(fs::is_empty(folder_ / "reports"));
}

// «Экспоненциальное» with disp 1 draws negative service times: the report is
// written, and the warning goes to standard error without changing the status.
TEST_F(RunCommandTest, ImpossibleDurationsAreWarnedOfOnStandardError) {
  std::string model = kModel;
  model.replace(model.find("v 0.5;\nrasp 4;"), 14, "v 0.5;\nrasp 3;\ndisp 1;");
  model.replace(model.find("simulate 3;"), 11, "simulate 200;");
  RunModel(model, "");
  EXPECT_EQ(last_.status, 0);
  EXPECT_NE(last_.err.find("Внимание: в ходе расчета получено "), std::string::npos) << last_.err;
  EXPECT_NE(last_.err.find("(устройство 1: "), std::string::npos) << last_.err;
  RunModel(kModel, "");
  EXPECT_EQ(last_.err, "");
}

TEST_F(RunCommandTest, AnalyzePredictsBesideTheSimulatedValues) {
  std::string model = kModel;
  model.replace(model.find("rasp 4;"), 7, "rasp 5;");  // Poisson arrivals
  model.replace(model.find("v 0.5;\nrasp 4;"), 14, "v 0.5;\nrasp 5;");
  model.replace(model.find("simulate 3;"), 11, "simulate 2000;");
  const fs::path path = Write("model.txt", model);
  const test_support::CliResult result =
      Run("analyze --decimal-separator . '" + path.string() + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("Устройство 1: интенсивность входящего потока 1; среднее время "
                            "обслуживания 0.5; каналов 1; загрузка канала 0.5\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("  M/M/1/6: вероятность отказа 0.007874 "), std::string::npos)
      << result.out;
  const test_support::CliResult exact =
      Run("analyze --exact --decimal-separator . '" + path.string() + "'");
  EXPECT_NE(exact.out.find("  M/M/1/6: вероятность отказа 0.00787401574803"), std::string::npos)
      << exact.out;
}

TEST_F(RunCommandTest, AMissingReportsFolderIsMadeAndOneThatCannotBeIsAnError) {
  const fs::path model = Write("model.txt", kModel);
  const std::string missing = (folder_ / "deleted/reports").string();
  last_ = Run("run --decimal-separator . '" + model.string() + "' --report-name r --reports-dir '" +
              missing + "'");
  EXPECT_EQ(last_.status, 0) << last_.err;
  EXPECT_TRUE(fs::exists(missing + "/r.htm"));
  const std::string blocked = (folder_ / "model.txt/reports").string();
  last_ = Run("run --decimal-separator . '" + model.string() + "' --reports-dir '" + blocked + "'");
  EXPECT_EQ(last_.status, 2);
  EXPECT_NE(last_.err.find("Не удалось создать папку отчетов \"" + blocked + "\""),
            std::string::npos)
      << last_.err;
}

TEST_F(RunCommandTest, TheGoldenProtocolThroughTheCommandLine) {
  const std::string golden = QSIM_GOLDEN_DIR "/01_constant_count";
  last_ = Run("run --decimal-separator . '" + golden + ".txt' --reports-dir '" + Reports() +
              "' --protocol-name p");
  ASSERT_EQ(last_.status, 0) << last_.err;
  std::vector<std::string> ours = SplitLines(Cp1251ToUtf8(ReadAll(folder_ / "reports/p.txt")));
  std::vector<std::string> expected = SplitLines(ReadAll(golden + ".protocol.txt"));
  ASSERT_EQ(ours.size(), expected.size());
  ours.erase(ours.begin());
  expected.erase(expected.begin());
  EXPECT_EQ(ours, expected);
}

TEST_F(RunCommandTest, BadOptionsAreUsageErrors) {
  EXPECT_EQ(Run("run").status, 2);
  EXPECT_EQ(RunModel(kModel, "--runs 0"), "");
  EXPECT_EQ(last_.status, 2);
  RunModel(kModel, "--max-events x");
  EXPECT_EQ(last_.status, 2);
}

}  // namespace
}  // namespace qsim
