#include "foundation/install_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <string>

#include "foundation/qsim_error.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;

struct LayoutCase {
  const char* name;
  std::set<std::string> folders;  // the folders that exist
  UserFolders user;
  InstallLayout expected;
};

// Failures name the case, not its bytes.
void PrintTo(const LayoutCase& c, std::ostream* out) {
  *out << c.name;
}

class InstallLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(InstallLayoutTest, FindsTheFoldersOfTheProgram) {
  const LayoutCase& c = GetParam();
  const InstallLayout found = FindInstallLayout(
      "/opt/q/bin", c.user, [&c](const std::string& path) { return c.folders.count(path) > 0; });
  EXPECT_EQ(found.reports, c.expected.reports);
  EXPECT_EQ(found.examples, c.expected.examples);
  EXPECT_EQ(found.help_page, c.expected.help_page);
  EXPECT_EQ(found.user_reports, c.expected.user_reports);
}

const InstallLayout kBuildFolder{.reports = "/opt/q/bin/reports",
                                 .examples = "/opt/q/bin/models",
                                 .help_page = "/opt/q/bin/help/index.html"};

// The program installed under /opt/q, writing its reports into `reports`.
InstallLayout InstalledInto(const std::string& reports) {
  return {.reports = reports,
          .examples = "/opt/q/share/qsim/examples",
          .help_page = "/opt/q/share/qsim/help/index.html",
          .user_reports = true};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallLayoutTest,
    testing::Values(LayoutCase{"BuildFolderKeepsEverythingBesideTheProgram",
                               {"/home/u/Documents", "/opt/q/bin/reports", "/opt/share/qsim"},
                               {"/home/u/Documents", "/home/u"},
                               kBuildFolder},
                    LayoutCase{"InstalledWritesIntoTheDocumentsFolder",
                               {"/home/u/Documents", "/opt/q/share/qsim"},
                               {"/home/u/Documents", "/home/u"},
                               InstalledInto("/home/u/Documents/qsim/reports")},
                    LayoutCase{"InstalledWithoutADocumentsFolderWritesIntoHome",
                               {"/opt/q/share/qsim"},
                               {"/home/u/Documents", "/home/u"},
                               InstalledInto("/home/u/qsim/reports")},
                    LayoutCase{"InstalledWithAnUnnamedDocumentsFolderWritesIntoHome",
                               {"/opt/q/share/qsim", ""},
                               {"", "/home/u"},
                               InstalledInto("/home/u/qsim/reports")}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

class MakeReportsFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("qsim_reports_" +
             std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
};

TEST_F(MakeReportsFolderTest, MakesTheUsersFolderWithItsParents) {
  const std::string reports = (root_ / "home/qsim/reports").string();
  MakeReportsFolder(InstalledInto(reports));
  EXPECT_TRUE(fs::is_directory(reports));
  MakeReportsFolder(InstalledInto(reports));  // already there
  EXPECT_TRUE(fs::is_directory(reports));
}

TEST_F(MakeReportsFolderTest, LeavesTheBuildFolderAlone) {
  const std::string reports = (root_ / "bin/reports").string();
  InstallLayout build_folder = kBuildFolder;
  build_folder.reports = reports;
  MakeReportsFolder(build_folder);
  EXPECT_FALSE(fs::exists(root_ / "bin"));
}

TEST_F(MakeReportsFolderTest, AFileInTheWayIsAnError) {
  std::ofstream(root_ / "qsim") << "not a folder";
  const std::string reports = (root_ / "qsim/reports").string();
  try {
    MakeReportsFolder(InstalledInto(reports));
    FAIL() << "no error";
  } catch (const QsimError& error) {
    EXPECT_EQ(error.message(), "Cannot create file \"" + reports + "\". Not a directory");
  }
}

}  // namespace
}  // namespace qsim
