#include "commands/compute_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/text_file.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_folder.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A platform that remembers what it was asked to open.
class RecordingPlatform : public FakePlatform {
 public:
  using FakePlatform::FakePlatform;
  void OpenDocument(const std::string& path) override { opened.push_back(path); }
  Lines opened;
};

const Lines kModel = {"generator 1;", "la 1;",       "rasp 4;",       "transfer 1;",
                      "1 queue 1;",   "queue 1;",    "len 5;",        "transfer 1;",
                      "1 device 1;",  "device 1;",   "k 1;",          "v 0.5;",
                      "rasp 4;",      "transfer 1;", "1 terminator;", "simulate 3;"};

class ComputeCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = TestFolder("qsim_compute_");
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    env_.reports_folder = folder_.string();
    env_.review_findings = [this](const ValidationResult& result) {
      reviewed_ = result.findings;
      return go_on_;
    };
  }
  void TearDown() override { fs::remove_all(folder_); }

  ComputeOutcome Compute(Lines& text, ComputeMode mode = ComputeMode::Run) {
    return ComputeCommand(text, mode, env_);
  }

  fs::path folder_;
  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  RandomGenerator random_;
  Simulation simulation_{*store_, random_};
  RecordingPlatform platform_;
  ComputeEnvironment env_{.store = *store_,
                          .simulation = simulation_,
                          .platform = platform_,
                          .format = NumberFormat{'.'}};
  bool go_on_ = true;
  Lines reviewed_;
};

TEST_F(ComputeCommandTest, RunsReportsOpensAndRewritesTheText) {
  store_->settings.protocol_enabled = true;
  store_->settings.protocol_open_after = true;
  Lines text = kModel;
  const ComputeOutcome outcome = Compute(text);
  EXPECT_TRUE(outcome.simulated);
  EXPECT_EQ(outcome.run.outcome, RunOutcome::Finished);
  EXPECT_EQ(outcome.report_path, (folder_ / "report_07_12_2026_06_16_23.htm").string());
  EXPECT_EQ(outcome.protocol_path, (folder_ / "protocol_07_12_2026_06_16_23.txt").string());
  EXPECT_TRUE(fs::exists(outcome.report_path));
  EXPECT_TRUE(fs::exists(outcome.protocol_path));
  EXPECT_EQ(platform_.opened, (Lines{outcome.report_path, outcome.protocol_path}));
  EXPECT_EQ(text.front(), "generator 1;");
  EXPECT_EQ(text.back(), "simulate 3;");
  EXPECT_EQ(text.size(), 33u);  // canonical: every field written
  EXPECT_EQ(store_->generator(1).stats.served, 3);
}

TEST_F(ComputeCommandTest, ParseOnlyReadsAndRewritesWithoutRunning) {
  Lines text = {"queue 2;", "len 4;", "bogus line", "simulate 7;"};
  const ComputeOutcome outcome = Compute(text, ComputeMode::ParseOnly);
  EXPECT_FALSE(outcome.simulated);
  EXPECT_EQ(text, (Lines{"queue 2;", "name ;", "xc 0;", "yc 0;", "len 4;", "discip fifo;",
                         "transfer 0;", "", "term_crd 0 0;", "simulate 7;"}));
  EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(ComputeCommandTest, AReadingErrorEndsTheCommand) {
  Lines text = {"generator 1;", "la 3;", "prior x;"};
  EXPECT_THROW(Compute(text, ComputeMode::ParseOnly), QsimError);
  EXPECT_EQ(text.size(), 3u);  // the text is not regenerated
  EXPECT_EQ(store_->generator(1).la, 3);
}

TEST_F(ComputeCommandTest, GoingBackToEditingKeepsTheCorrections) {
  Lines text = {"simulate 0;"};
  go_on_ = true;  // a blocking finding cancels the run whatever the answer
  const ComputeOutcome outcome = Compute(text);
  EXPECT_FALSE(outcome.simulated);
  EXPECT_EQ(reviewed_.size(), 5u);
  EXPECT_EQ(text, (Lines{"term_crd 0 0;", "simulate 100;"}));
}

TEST_F(ComputeCommandTest, NonBlockingFindingsLetTheUserChoose) {
  Lines text = kModel;
  text.back() = "simulate 0;";
  go_on_ = false;
  EXPECT_FALSE(Compute(text).simulated);
  EXPECT_EQ(text.back(), "simulate 100;");
  go_on_ = true;
  text.back() = "simulate 0;";
  EXPECT_TRUE(Compute(text).simulated);
  EXPECT_EQ(store_->generated, 100);
}

TEST_F(ComputeCommandTest, WithoutTheCheckAnEmptyModelRunsAtOnce) {
  store_->settings.check_model = false;
  store_->settings.protocol_enabled = true;
  Lines text = {"simulate 0;"};
  const ComputeOutcome outcome = Compute(text);
  EXPECT_TRUE(outcome.simulated);
  EXPECT_TRUE(outcome.protocol_path.empty());
  EXPECT_FALSE(outcome.report_path.empty());
  EXPECT_EQ(store_->generated, 0);
  EXPECT_EQ(store_->now, 0);
}

TEST_F(ComputeCommandTest, ProcessAllHoldsOnlyWhileTheTextSaysSo) {
  Lines text = kModel;
  text.push_back("process_all 0.5;");
  Compute(text);
  EXPECT_TRUE(store_->settings.process_all);
  text = kModel;
  Compute(text);
  EXPECT_FALSE(store_->settings.process_all);
}

TEST_F(ComputeCommandTest, ARunStoppedByItsLimitReportsUpToThatMomentMarkedAtTheTop) {
  env_.controls.max_events = 5;
  Lines text = kModel;
  const ComputeOutcome outcome = Compute(text);
  EXPECT_TRUE(outcome.simulated);
  EXPECT_EQ(outcome.run.outcome, RunOutcome::EventLimit);
  const Lines report = ReadTextLines(outcome.report_path);
  ASSERT_GE(report.size(), 2u);
  const std::string t = NumberText(outcome.run.now, env_.format);
  EXPECT_EQ(Cp1251ToUtf8(report[1]),
            "<p align=\"center\"><font color=\"#CC0000\"><b>Расчет прерван в момент " + t +
                ": показатели за время от 0 до " + t + "</b></font></p>");
}

TEST_F(ComputeCommandTest, ADeclinedOverloadWarningRunsNothing) {
  Lines text = kModel;
  text.push_back("process_all 0.1;");
  text[1] = "la 3;";  // 1.5 times what the device can serve
  std::string heard;
  env_.confirm_overload = [&heard](const std::string& warning) {
    heard = warning;
    return false;
  };
  EXPECT_FALSE(Compute(text).simulated);
  EXPECT_FALSE(heard.empty());
}

TEST_F(ComputeCommandTest, AMissingReportsFolderIsMadeForTheRun) {
  env_.reports_folder = (folder_ / "deleted/reports").string();
  Lines text = kModel;
  const ComputeOutcome outcome = Compute(text);
  EXPECT_EQ(fs::path(outcome.report_path).parent_path(), env_.reports_folder);
  EXPECT_TRUE(fs::exists(outcome.report_path));
}

TEST_F(ComputeCommandTest, AReportsFolderThatCannotBeMadeStopsTheCommandBeforeTheRun) {
  std::ofstream(folder_ / "file") << "in the way";
  env_.reports_folder = (folder_ / "file/reports").string();
  Lines text = kModel;
  try {
    Compute(text);
    FAIL();
  } catch (const QsimError& error) {
    EXPECT_EQ(error.message().rfind("Не удалось создать папку отчетов \""_cp, 0), 0u);
  }
  EXPECT_EQ(store_->generated, 0);
}

TEST_F(ComputeCommandTest, SeriesOfRunsGetTheirSuffixAndChosenNames) {
  store_->settings.report_name_auto = false;
  store_->settings.report_file_name = "итог";  // in the file system's encoding
  store_->settings.protocol_enabled = true;
  store_->settings.protocol_name_auto = false;
  store_->settings.protocol_file_name = "run1";
  env_.file_suffix = "_2";
  Lines text = kModel;
  const ComputeOutcome outcome = Compute(text);
  EXPECT_EQ(outcome.report_path, (folder_ / "итог_2.htm").string());
  EXPECT_EQ(outcome.protocol_path, (folder_ / "run1_2.txt").string());
  EXPECT_FALSE(outcome.report_replaced || outcome.protocol_replaced);
  const ComputeOutcome again = Compute(text);
  EXPECT_TRUE(again.report_replaced && again.protocol_replaced);
}

TEST_F(ComputeCommandTest, TheReportShowsThePictureSavedBesideIt) {
  static const std::uint8_t kPixels[] = {255, 0, 0, 0, 0, 255};
  int drawn = 0;
  env_.picture = [&] {
    ++drawn;
    return RgbImageView{2, 1, kPixels};
  };
  Lines text = kModel;
  Compute(text);
  EXPECT_EQ(drawn, 0);  // not asked for

  store_->settings.report_include_picture = true;
  const ComputeOutcome outcome = Compute(text);
  EXPECT_EQ(drawn, 1);
  const std::string bitmap = outcome.report_path + ".bmp";
  ASSERT_TRUE(fs::exists(bitmap));
  EXPECT_EQ(fs::file_size(bitmap), 54u + 8u);  // headers and one padded row
  const Lines report = ReadTextLines(outcome.report_path);
  ASSERT_GE(report.size(), 5u);
  EXPECT_EQ(report[3],
            "<p align=\"center\"><img src=\"" + fs::absolute(bitmap).string() + "\"></p>");
  EXPECT_EQ(report[4], "<p align=\"center\"><i>Изображение модели.</i></p>"_cp);
}

}  // namespace
}  // namespace qsim
