#include "foundation/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "tests/support/test_folder.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = TestFolder("qsim_atomic_");
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  fs::path folder_;
};

TEST_F(AtomicFileTest, TheTargetChangesOnlyOnCommit) {
  WriteFileAtomically(Path("t.csv"), "old");
  {
    AtomicFile file(Path("t.csv"));
    file.stream() << "new, half written";
    EXPECT_EQ(Read(Path("t.csv")), "old");
    EXPECT_TRUE(file.replaces());
  }  // abandoned
  EXPECT_EQ(Names(), std::vector<std::string>{"t.csv"});
  EXPECT_EQ(Read(Path("t.csv")), "old");
  WriteFileAtomically(Path("t.csv"), "new");
  EXPECT_EQ(Read(Path("t.csv")), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{"t.csv"});
}

// Two writers of one second, in one process or two, each get a name of their own;
// a name abandoned is free again.
TEST_F(AtomicFileTest, FreshNamesAreNeverShared) {
  const std::string stem = Path("report_07_12_2026_06_16_23");
  AtomicFile first = AtomicFile::Fresh(stem, ".htm");
  AtomicFile second = AtomicFile::Fresh(stem, ".htm");
  {
    AtomicFile abandoned = AtomicFile::Fresh(stem, ".htm");
    EXPECT_EQ(abandoned.path(), stem + "_3.htm");
  }
  AtomicFile third = AtomicFile::Fresh(stem, ".htm");
  EXPECT_EQ(first.path(), stem + ".htm");
  EXPECT_EQ(second.path(), stem + "_2.htm");
  EXPECT_EQ(third.path(), stem + "_3.htm");
  second.stream() << "2";
  second.Commit();
  EXPECT_EQ(Read(stem + "_2.htm"), "2");
  EXPECT_FALSE(second.replaces());
}

// A device is written, not replaced, and its failure is the command's.
TEST(AtomicFileDeviceTest, AFullDeviceIsAnErrorAndStaysADevice) {
  try {
    WriteFileAtomically("/dev/full", "bytes");
    FAIL() << "no error";
  } catch (const QsimError& error) {
    EXPECT_EQ(Cp1251ToUtf8(error.message()),
              "Не удалось записать файл \"/dev/full\": нет места на диске");
  }
  struct stat device {};
  ASSERT_EQ(stat("/dev/full", &device), 0);
  EXPECT_TRUE(S_ISCHR(device.st_mode));
}

}  // namespace
}  // namespace qsim
