#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/test_folder.h"

namespace qsim::test_support {

// What a run of qsim-cli gave.
struct CliResult {
  int status;
  std::string out;
  std::string err;
};

// A fixture that runs qsim-cli in a temporary folder of its own, removed after
// the test.
class CliRunner : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = TestFolder("qsim_cli_");
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Runs qsim-cli with the arguments (a shell fragment) in the C locale.
  CliResult Run(const std::string& arguments) { return Shell("'" QSIM_CLI_PATH "' " + arguments); }

  // Runs a shell command in the C locale.
  CliResult Shell(const std::string& command_line) {
    const std::filesystem::path err = folder_ / "stderr.txt";
    const std::string command = "LC_ALL=C.UTF-8 " + command_line + " 2>'" + err.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      out.append(buffer, n);
    const int status = pclose(pipe);
    return {WEXITSTATUS(status), out, ReadAll(err)};
  }

  // Writes a file into the test's folder and returns its path.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  std::filesystem::path folder_;
};

}  // namespace qsim::test_support
