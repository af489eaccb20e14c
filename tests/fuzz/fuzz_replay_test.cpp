#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/harness/fuzz_harness.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;

// Every file under the folder, in name order, so that a failure names the same
// input on every machine.
std::vector<fs::path> FilesUnder(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Runs each input through the fuzz targets' code paths; a crash or a sanitizer
// report ends the test, an escaping exception or a broken round trip fails it.
void Replay(const std::vector<fs::path>& files) {
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    const std::string bytes = Bytes(file);
    EXPECT_NO_THROW(fuzz::ReadAnyText(bytes));
    EXPECT_EQ(fuzz::RoundTripFault(bytes), std::nullopt);
    EXPECT_NO_THROW(fuzz::ComputeAnyText(bytes));
    EXPECT_NO_THROW(fuzz::AnalyzeAnyText(bytes));
    EXPECT_NO_THROW(fuzz::MergeAnyParts(bytes));
  }
}

TEST(FuzzReplayTest, TheCorpusReadsRoundTripsAndRuns) {
  const std::vector<fs::path> files = FilesUnder(QSIM_FUZZ_CORPUS_DIR);
  EXPECT_GE(files.size(), 10u);
  Replay(files);
}

TEST(FuzzReplayTest, TheInputsOfMendedFaultsReadRoundTripAndRun) {
  const std::vector<fs::path> files = FilesUnder(QSIM_FUZZ_REGRESSIONS_DIR);
  EXPECT_GE(files.size(), 1u);
  Replay(files);
}

}  // namespace
}  // namespace qsim
