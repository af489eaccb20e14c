#include <gtest/gtest.h>

#include "tests/cli/cli_runner.h"

namespace qsim {
namespace {

class CheckCommandTest : public test_support::CliRunner {};

TEST_F(CheckCommandTest, AValidModelPrintsOnlyItsTextAndExitsWith0) {
  const auto model = Write("m.txt",
                           "generator 1;\nla 2;\ntransfer 1;\n1 queue 1;\n"
                           "queue 1;\nlen 3;\ntransfer 1;\n1 device 1;\n"
                           "device 1;\nk 1;\nv 1,5;\ntransfer 1;\n1 terminator;\nsimulate 5;\n");
  const test_support::CliResult result =
      Run("check --decimal-separator , '" + model.string() + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "generator 1;\nname ;\nxc 0;\nyc 0;\nla 2;\nprior 0;\nrasp 0;\ndisp 0;\n"
            "transfer 1;\n1 queue 1;\n\n"
            "queue 1;\nname ;\nxc 0;\nyc 0;\nlen 3;\ndiscip fifo;\ntransfer 1;\n1 device 1;\n\n"
            "device 1;\nname ;\nxc 0;\nyc 0;\nk 1;\nv 1,5;\nrasp 0;\ndisp 0;\ntransfer 1;\n"
            "1 terminator;\n\nterm_crd 0 0;\nsimulate 5;\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(CheckCommandTest, BlockingFindingsComeFirstAndExitWith1) {
  const auto model = Write("m.txt", "simulate 0;\r\n");
  const test_support::CliResult result = Run("check '" + model.string() + "'");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out,
            "1. Система не имеет выхода (нет перехода в терминатор заявок).\n"
            "2. В системе нет ни одного источника заявок.\n"
            "3. В системе нет ни одной очереди.\n"
            "4. В системе нет ни одного обслуживающего устройства.\n"
            "5. Не указано число заявок которые должны пройти через модель. Исправлено на 100.\n"
            "\n"
            "term_crd 0 0;\nsimulate 100;\n");
}

TEST_F(CheckCommandTest, CorrectionsAloneExitWith0) {
  const auto model = Write("m.txt",
                           "generator 1;\ntransfer 1;\n1 queue 1;\n"
                           "queue 1;\nlen 900;\ntransfer 1;\n1 device 1;\n"
                           "device 1;\nk 1;\nv 1;\ntransfer 1;\n1 terminator;\nby_time 0;\n");
  const test_support::CliResult result = Run("check '" + model.string() + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string findings =
      "1. В генераторе 1 не указана интесивность потока. Исправлено на 1.\n"
      "2. В очереди 1 указанная длина превышает макс. допустимую. Исправлено на 200.\n"
      "3. Не указано время моделирования. Исправлено на 10.\n\n";
  EXPECT_EQ(result.out.substr(0, findings.size()), findings);
  EXPECT_NE(result.out.find("\nla 1;\n"), std::string::npos);
  EXPECT_NE(result.out.find("\nlen 200;\n"), std::string::npos);
  EXPECT_TRUE(result.out.ends_with("\nby_time 10;\n")) << result.out;
}

TEST_F(CheckCommandTest, ErrorsExitWith2) {
  const auto model = Write("m.txt", "queue 1;\nlen x;\n");
  const test_support::CliResult bad = Run("check '" + model.string() + "'");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "qsim-cli: Строка 2: 'x' is not a valid integer value.\n");
  EXPECT_EQ(Run("check").status, 2);
  EXPECT_EQ(Run("check a.txt b.txt").status, 2);
  const test_support::CliResult missing = Run("check '" + (folder_ / "none.txt").string() + "'");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("Cannot open file"), std::string::npos);
}

}  // namespace
}  // namespace qsim
