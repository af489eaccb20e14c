#include "language/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/qsim_error.h"
#include "tests/support/test_folder.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;

TEST(TextFileTest, LinesEndAtCrLfCrOrLf) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\n"), (Lines{""}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a\n\r"), (Lines{"a", ""}));
}

TEST(TextFileTest, AByteOrderMarkAtTheStartIsSkipped) {
  EXPECT_EQ(SplitLines("\xEF\xBB\xBFgenerator 1;\r\nla 4;"), (Lines{"generator 1;", "la 4;"}));
  EXPECT_EQ(SplitLines("a\xEF\xBB\xBF"), (Lines{"a\xEF\xBB\xBF"}));  // only at the start
}

class TextFileOnDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = TestFolder("qsim_text_file_");
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  std::filesystem::path folder_;
};

TEST_F(TextFileOnDiskTest, WritesCrLfAndReadsBack) {
  const Lines lines = {"generator 1;", "", "name \xCE\xF7;"};
  WriteTextLines(Path("m.txt"), lines);
  EXPECT_EQ(Bytes(Path("m.txt")), "generator 1;\r\n\r\nname \xCE\xF7;\r\n");
  EXPECT_EQ(ReadTextLines(Path("m.txt")), lines);
}

TEST_F(TextFileOnDiskTest, MissingFileGivesTheOpenError) {
  const std::string path = Path("missing.txt");
  try {
    ReadTextLines(path);
    FAIL();
  } catch (const QsimError& error) {
    EXPECT_EQ(error.message(), "Cannot open file \"" + path + "\". No such file or directory");
  }
  EXPECT_THROW(ReadTextLines(folder_.string()), QsimError);
}

TEST_F(TextFileOnDiskTest, MissingFolderGivesTheCreateError) {
  const std::string path = Path("no_such_folder/m.txt");
  try {
    WriteTextLines(path, {"x"});
    FAIL();
  } catch (const QsimError& error) {
    EXPECT_EQ(error.message(), "Cannot create file \"" + path + "\". No such file or directory");
  }
}

}  // namespace
}  // namespace qsim
