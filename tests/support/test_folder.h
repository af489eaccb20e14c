#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace qsim {

// A folder path in the temporary folder for the running test alone: CTest runs the
// cases of one suite side by side, and other checkouts on the machine run the same
// cases, so the name carries the suite, the case and the process number.
inline std::filesystem::path TestFolder(const std::string& prefix) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::filesystem::temp_directory_path() /
         (prefix + std::string(test->test_suite_name()) + "_" + test->name() + "_" +
          std::to_string(getpid()));
}

}  // namespace qsim
