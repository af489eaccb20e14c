#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/cli/cli_runner.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;

using test_support::CliResult;

class CanonCommandTest : public test_support::CliRunner {};

TEST_F(CanonCommandTest, CanonPrintsTheCanonicalTextInUtf8) {
  const fs::path model =
      Write("m.txt", "queue 2;\r\nname \xCE\xF7\xE5\xF0\xE5\xE4\xFC;\rlen 4\nsimulate 9;");
  const CliResult result = Run("canon '" + model.string() + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "queue 2;\nname Очередь;\nxc 0;\nyc 0;\nlen 4;\ndiscip fifo;\ntransfer 0;\n\n"
            "term_crd 0 0;\nsimulate 9;\n");
}

TEST_F(CanonCommandTest, CanonOfTheBundledExampleIsTheExampleItself) {
  const CliResult result =
      Run("canon --decimal-separator . '" QSIM_EXAMPLES_DIR "/single_device.txt'");
  EXPECT_EQ(result.status, 0) << result.err;
  std::string expected = ReadAll(QSIM_EXAMPLES_DIR "/single_device.txt");
  std::erase(expected, '\r');
  EXPECT_EQ(result.out, expected);
}

TEST_F(CanonCommandTest, CanonOutputIsAModelFile) {
  const fs::path model = Write("m.txt", "device 1;\nname \xC4;\nv 0,5;\n");
  const fs::path output = folder_ / "out.txt";
  const CliResult result = Run("canon --decimal-separator , '" + model.string() + "' --output '" +
                               output.string() + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(ReadAll(output),
            "device 1;\r\nname \xC4;\r\nxc 0;\r\nyc 0;\r\nk 0;\r\nv 0,5;\r\nrasp 0;\r\ndisp 0;\r\n"
            "transfer 0;\r\n\r\nterm_crd 0 0;\r\nsimulate 0;\r\n");
}

TEST_F(CanonCommandTest, ConversionErrorsNameTheLineAndExitWith2) {
  const fs::path model = Write("m.txt", "generator 1;\nla 2;\nprior x;\n");
  const fs::path output = folder_ / "out.txt";
  const CliResult result = Run("canon '" + model.string() + "' --output '" + output.string() + "'");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "qsim-cli: Строка 3: 'x' is not a valid integer value.\n");
  EXPECT_FALSE(fs::exists(output));
}

TEST_F(CanonCommandTest, RangeErrorsNameTheLineAndTheValue) {
  const fs::path model = Write("m.txt", "queue 151;\n");
  const CliResult result = Run("canon '" + model.string() + "'");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "qsim-cli: Строка 1: номер элемента 151 вне диапазона 1..150.\n");
}

// Either separator reads; the text is written in the locale's (C: ".") or the
// one asked for.
TEST_F(CanonCommandTest, TheLocaleSeparatorIsTheDefault) {
  const fs::path model = Write("m.txt", "by_time 2,5;\n");
  EXPECT_EQ(Run("canon '" + model.string() + "'").out, "term_crd 0 0;\nby_time 2.5;\n");
  EXPECT_EQ(Run("canon --decimal-separator , '" + model.string() + "'").out,
            "term_crd 0 0;\nby_time 2,5;\n");
}

TEST_F(CanonCommandTest, BadCommandLinesExitWith2) {
  EXPECT_EQ(Run("").status, 2);
  EXPECT_EQ(Run("frobnicate").status, 2);
  EXPECT_EQ(Run("canon").status, 2);
  EXPECT_EQ(Run("canon a.txt --no-such-option").status, 2);
  EXPECT_EQ(Run("canon a.txt --decimal-separator 5").status, 2);
  const CliResult missing = Run("canon '" + (folder_ / "none.txt").string() + "'");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("Cannot open file"), std::string::npos);
}

}  // namespace
}  // namespace qsim
