#include "foundation/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "tests/support/test_folder.h"

namespace qsim {
namespace {

// Two writers of one second each get a name of their own; a name abandoned is free
// again. (Old files kept on a full disk: tests/cli/robust_output_test.cpp.)
TEST(AtomicFileTest, FreshNamesAreNeverShared) {
  const std::filesystem::path folder = TestFolder("qsim_atomic_");
  std::filesystem::create_directories(folder);
  const std::string stem = (folder / "report_07_12_2026_06_16_23").string();
  {
    AtomicFile first = AtomicFile::Fresh(stem, ".htm");
    AtomicFile second = AtomicFile::Fresh(stem, ".htm");
    { const AtomicFile abandoned = AtomicFile::Fresh(stem, ".htm"); }
    const AtomicFile third = AtomicFile::Fresh(stem, ".htm");
    EXPECT_EQ(first.path(), stem + ".htm");
    EXPECT_EQ(second.path(), stem + "_2.htm");
    EXPECT_EQ(third.path(), stem + "_3.htm");
    second.Commit();
  }
  EXPECT_TRUE(std::filesystem::exists(stem + "_2.htm"));
  EXPECT_FALSE(std::filesystem::exists(stem + ".htm"));  // abandoned
  std::filesystem::remove_all(folder);
}

// A device is written, not replaced, and its failure is the command's.
TEST(AtomicFileTest, AFullDeviceIsAnErrorAndStaysADevice) {
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
