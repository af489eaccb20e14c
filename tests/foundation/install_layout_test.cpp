#include "foundation/install_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <string>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "tests/support/test_folder.h"

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
}

const InstallLayout kBuildFolder{.reports = "/opt/q/bin/reports",
                                 .examples = "/opt/q/bin/models",
                                 .help_page = "/opt/q/bin/help/index.html"};

// The program installed under /opt/q, writing its reports into `reports`.
InstallLayout InstalledInto(const std::string& reports) {
  return {.reports = reports,
          .examples = "/opt/q/share/qsim/examples",
          .help_page = "/opt/q/share/qsim/help/index.html"};
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
                               InstalledInto("/home/u/qsim/reports")},
                    LayoutCase{"ARelativeDocumentsFolderIsNone",
                               {"/opt/q/share/qsim", "Documents"},
                               {"Documents", "/home/u"},
                               InstalledInto("/home/u/qsim/reports")},
                    LayoutCase{"WithoutAnAbsoluteHomeThereIsNoReportsFolder",
                               {"/opt/q/share/qsim"},
                               {"", ""},
                               InstalledInto("")}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

class MakeReportsFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = TestFolder("qsim_reports_");
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
};

// The user's folder of an installed program, with its parents, and the folder
// beside the program in the build folder, which the user may have deleted.
TEST_F(MakeReportsFolderTest, MakesAMissingFolderWithItsParents) {
  for (const char* folder : {"home/qsim/reports", "bin/reports"}) {
    const std::string reports = (root_ / folder).string();
    MakeReportsFolder(reports);
    EXPECT_TRUE(fs::is_directory(reports)) << folder;
    MakeReportsFolder(reports);  // already there
    EXPECT_TRUE(fs::is_directory(reports)) << folder;
  }
}

TEST(MakeReportsFolderMessageTest, NoFolderFoundIsSaidSo) {
  try {
    MakeReportsFolder("");
    FAIL() << "no error";
  } catch (const QsimError& error) {
    EXPECT_EQ(Cp1251ToUtf8(error.message()),
              "Не найдена папка для отчетов: ни XDG_DOCUMENTS_DIR, ни HOME не задают абсолютный "
              "путь");
  }
}

TEST_F(MakeReportsFolderTest, AFileInTheWayIsAnError) {
  std::ofstream(root_ / "qsim") << "not a folder";
  const std::string reports = (root_ / "qsim/reports").string();
  try {
    MakeReportsFolder(reports);
    FAIL() << "no error";
  } catch (const QsimError& error) {
    EXPECT_EQ(Cp1251ToUtf8(error.message()), "Не удалось создать папку отчетов \"" + reports +
                                                 "\": на ее месте или на пути к ней лежит файл");
  }
}

}  // namespace
}  // namespace qsim
