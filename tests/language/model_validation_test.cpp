#include "language/model_validation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "foundation/code_page.h"
#include "language/model_text_reader.h"
#include "language/model_text_writer.h"
#include "language/text_file.h"
#include "tests/support/json_value.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;
const NumberFormat kPoint{'.'};

Lines ToUtf8(const Lines& cp1251) {
  Lines utf8;
  for (const std::string& line : cp1251)
    utf8.push_back(Cp1251ToUtf8(line));
  return utf8;
}

// One generator, queue and device in a line to the terminator: nothing to find.
// Integers only, so that it reads under any decimal separator.
const Lines kValidModel = {"generator 1;",  "la 2;",       "transfer 1;", "1 queue 1;",
                           "queue 1;",      "len 5;",      "transfer 1;", "1 device 1;",
                           "device 1;",     "k 1;",        "v 2;",        "transfer 1;",
                           "1 terminator;", "simulate 10;"};

class ValidationTest : public ::testing::Test {
 protected:
  // Reads the model text (decimal point) and checks it; the findings in UTF-8.
  Lines Validate(Lines text) {
    ReadModelText(text, *store_, kPoint);
    result_ = ValidateModel(*store_, kPoint);
    return ToUtf8(result_.findings);
  }

  // The valid model with some lines added after it.
  Lines ValidateValidModelWith(const Lines& extra) {
    Lines text = kValidModel;
    text.insert(text.end(), extra.begin(), extra.end());
    return Validate(text);
  }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  ValidationResult result_;
};

TEST_F(ValidationTest, AValidModelHasNoFinding) {
  EXPECT_EQ(Validate(kValidModel), Lines{});
  EXPECT_FALSE(result_.blocking);
  EXPECT_EQ(Cp1251ToUtf8(result_.caption), "Обнаруженные неточности в модели (всего :0)");
}

TEST_F(ValidationTest, AnEmptyModelLacksEverythingAndGetsARequestCount) {
  EXPECT_EQ(
      Validate({"simulate 0;"}),
      (Lines{"1. Система не имеет выхода (нет перехода в терминатор заявок).",
             "2. В системе нет ни одного источника заявок.", "3. В системе нет ни одной очереди.",
             "4. В системе нет ни одного обслуживающего устройства.",
             "5. Не указано число заявок которые должны пройти через модель. "
             "Исправлено на 100."}));
  EXPECT_TRUE(result_.blocking);
  EXPECT_EQ(Cp1251ToUtf8(result_.caption), "Обнаруженные неточности в модели (всего :5)");
  EXPECT_EQ(WriteModelText(*store_, kPoint), (Lines{"term_crd 0 0;", "simulate 100;"}));
}

TEST_F(ValidationTest, TenTenthsFallShortOfOneButPrintAsOne) {
  Lines text = {"generator 3;", "la 1;", "transfer 10;"};
  text.insert(text.end(), 10, "0.1 queue 1;");
  const Lines findings = ValidateValidModelWith(text);
  EXPECT_EQ(findings, Lines{"1. В генераторе 3 сумма вер-тей переходов меньше 1. (равна 1)."});
  EXPECT_TRUE(result_.blocking);
}

TEST_F(ValidationTest, SumsAboveOneAreAccepted) {
  EXPECT_EQ(ValidateValidModelWith(
                {"queue 2;", "len 1;", "transfer 2;", "0.7 device 1;", "0.7 device 1;"}),
            Lines{});
  EXPECT_FALSE(result_.blocking);
}

TEST_F(ValidationTest, SumsArePrintedWithTheDecimalSeparator) {
  Lines text = kValidModel;
  text.insert(text.end(), {"device 2;", "k 1;", "v 1;", "transfer 1;", "0,25 terminator;"});
  ReadModelText(text, *store_, NumberFormat{','});
  EXPECT_EQ(ToUtf8(ValidateModel(*store_, NumberFormat{','}).findings),
            Lines{"1. В устройстве 2 сумма вер-тей переходов меньше 1. (равна 0,25)."});
}

TEST_F(ValidationTest, AnElementWithoutRoutesHasSumZero) {
  EXPECT_EQ(ValidateValidModelWith({"generator 2;", "la 1;"}),
            Lines{"1. В генераторе 2 сумма вер-тей переходов меньше 1. (равна 0)."});
}

TEST_F(ValidationTest, AMissingIntensityBecomesOneWithoutBlocking) {
  EXPECT_EQ(ValidateValidModelWith({"generator 1;", "la -4;"}),
            Lines{"1. В генераторе 1 не указана интесивность потока. Исправлено на 1."});
  EXPECT_FALSE(result_.blocking);
  EXPECT_EQ(store_->generator(1).la, 1);
}

TEST_F(ValidationTest, AQueueOfLengthZeroGetsOnePlace) {
  EXPECT_EQ(ValidateValidModelWith({"queue 1;", "len 0;"}),
            Lines{"1. В очереди 1 не указана длина. Исправлено на 1."});
  EXPECT_FALSE(result_.blocking);
  EXPECT_EQ(store_->queue(1).len, 1);
}

TEST_F(ValidationTest, AQueueTooLongIsCutTo200) {
  EXPECT_EQ(ValidateValidModelWith({"queue 1;", "len 500;"}),
            Lines{"1. В очереди 1 указанная длина превышает макс. допустимую. Исправлено на 200."});
  EXPECT_EQ(store_->queue(1).len, 200);
  EXPECT_EQ(ValidateValidModelWith({"queue 1;", "len 200;"}), Lines{});
}

TEST_F(ValidationTest, ChannelsOutsideOneTo50AreCorrected) {
  EXPECT_EQ(ValidateValidModelWith({"device 1;", "k 51;"}),
            Lines{"1. В устройстве 1 указанное число каналов превышает макс. допустимое. "
                  "Исправлено на 50."});
  EXPECT_EQ(store_->device(1).k, 50);
  EXPECT_EQ(ValidateValidModelWith({"device 1;", "k 50;"}), Lines{});
}

TEST_F(ValidationTest, NoChannelsAndNoServiceTimeComeInThatOrderBeforeTheSum) {
  EXPECT_EQ(ValidateValidModelWith({"device 1;", "k 0;", "v 0;", "transfer 0;"}),
            (Lines{"1. В устройстве 1 не указано число каналов. Исправлено на 1.",
                   "2. В устройстве 1 не указано время обслуживания.",
                   "3. В устройстве 1 сумма вер-тей переходов меньше 1. (равна 0).",
                   "4. Система не имеет выхода (нет перехода в терминатор заявок)."}));
  EXPECT_EQ(store_->device(1).k, 1);
  EXPECT_EQ(store_->device(1).v, 0);  // reported, not corrected
}

TEST_F(ValidationTest, AMissingServiceTimeAloneDoesNotBlock) {
  ValidateValidModelWith({"device 1;", "v -2;"});
  EXPECT_EQ(result_.findings.size(), 1u);
  EXPECT_FALSE(result_.blocking);
}

TEST_F(ValidationTest, ElementsAreExaminedSlotBySlotGeneratorQueueDevice) {
  EXPECT_EQ(ValidateValidModelWith({"device 2;", "k 1;", "v 1;", "transfer 1;", "1 terminator;",
                                    "generator 2;", "transfer 1;", "1 queue 1;", "queue 1;",
                                    "len 0;", "device 1;", "k 0;"}),
            (Lines{"1. В очереди 1 не указана длина. Исправлено на 1.",
                   "2. В устройстве 1 не указано число каналов. Исправлено на 1.",
                   "3. В генераторе 2 не указана интесивность потока. Исправлено на 1."}));
}

TEST_F(ValidationTest, ARouteToTheTerminatorFromAnUnusedDeviceIsNoExit) {
  Lines text = {"generator 1;", "la 1;",       "transfer 1;",   "1 queue 1;", "queue 1;",
                "len 1;",       "transfer 1;", "1 device 1;",   "device 1;",  "k 1;",
                "v 1;",         "transfer 1;", "1 queue 1;",    "device 2;",  "k 1;",
                "v 1;",         "transfer 1;", "1 terminator;", "simulate 5;"};
  ReadModelText(text, *store_, kPoint);
  store_->device(2).exists = false;
  result_ = ValidateModel(*store_, kPoint);
  EXPECT_EQ(ToUtf8(result_.findings),
            Lines{"1. Система не имеет выхода (нет перехода в терминатор заявок)."});
  EXPECT_TRUE(result_.blocking);
}

TEST_F(ValidationTest, OnlyTheFirstTransferRoutesCount) {
  Lines text = kValidModel;
  ReadModelText(text, *store_, kPoint);
  DeviceRecord& d = store_->device(1);
  d.transitions[2] = {1, TargetKind::Terminator, 1};
  d.transitions[1] = {1, TargetKind::Queue, 1};
  const ValidationResult result = ValidateModel(*store_, kPoint);
  EXPECT_EQ(ToUtf8(result.findings),
            Lines{"1. Система не имеет выхода (нет перехода в терминатор заявок)."});
}

TEST_F(ValidationTest, AMissingKindOfElementBlocks) {
  EXPECT_EQ(Validate({"generator 1;", "la 1;", "transfer 1;", "1 queue 1;", "simulate 1;"}),
            (Lines{"1. В генераторе 1 переход 1 ведет в несуществующую очередь 1.",
                   "2. Система не имеет выхода (нет перехода в терминатор заявок).",
                   "3. В системе нет ни одной очереди.",
                   "4. В системе нет ни одного обслуживающего устройства."}));
  EXPECT_TRUE(result_.blocking);
}

TEST_F(ValidationTest, TransitionsThatLeadNowhereBlockRightAfterTheirElement) {
  EXPECT_EQ(Validate({"generator 1;", "la 0;", "transfer 4;", "0.25 queue 0;", "0.25 queue 151;",
                      "0.25 queue 7;", "0.25 device 1;", "queue 1;", "len 5;", "transfer 1;",
                      "1 device 2;", "device 1;", "k 1;", "v 1;", "transfer 2;", "0.5 queue 3;",
                      "0.5 terminator;", "simulate 5;"}),
            (Lines{"1. В генераторе 1 не указана интесивность потока. Исправлено на 1.",
                   "2. В генераторе 1 переход 1 ведет в несуществующую очередь 0.",
                   "3. В генераторе 1 переход 2 ведет в несуществующую очередь 151.",
                   "4. В генераторе 1 переход 3 ведет в несуществующую очередь 7.",
                   // "device" is no target word in a generator block: the kind stays 0.
                   "5. В генераторе 1 переход 4 ведет в элемент недопустимого типа (код 0).",
                   "6. В очереди 1 переход 1 ведет в несуществующее устройство 2.",
                   "7. В устройстве 1 переход 1 ведет в несуществующую очередь 3."}));
  EXPECT_TRUE(result_.blocking);
}

TEST_F(ValidationTest, ATransitionOfAKindItsSourceCannotLeadToBlocks) {
  Lines text = kValidModel;
  ReadModelText(text, *store_, kPoint);
  store_->generator(1).transitions[1].kind = TargetKind::Terminator;
  store_->queue(1).transitions[1] = {1, TargetKind::Queue, 1};
  store_->device(1).transitions[1] = {1, TargetKind::Device, 1};
  result_ = ValidateModel(*store_, kPoint);
  EXPECT_EQ(ToUtf8(result_.findings),
            (Lines{"1. В генераторе 1 переход 1 ведет в элемент недопустимого типа (код 5).",
                   "2. В очереди 1 переход 1 ведет в элемент недопустимого типа (код 1).",
                   "3. В устройстве 1 переход 1 ведет в элемент недопустимого типа (код 3).",
                   "4. Система не имеет выхода (нет перехода в терминатор заявок)."}));
  EXPECT_TRUE(result_.blocking);
}

TEST_F(ValidationTest, AMissingTargetBlocksEvenWithoutOtherFindings) {
  EXPECT_EQ(ValidateValidModelWith({"device 2;", "k 1;", "v 1;", "transfer 1;", "1 queue 9;"}),
            Lines{"1. В устройстве 2 переход 1 ведет в несуществующую очередь 9."});
  EXPECT_TRUE(result_.blocking);
}

TEST_F(ValidationTest, ARunByTimeNeedsAnEndTimeAndNoRequestCount) {
  EXPECT_EQ(ValidateValidModelWith({"by_time 0;"}),
            Lines{"1. Не указано время моделирования. Исправлено на 10."});
  EXPECT_FALSE(result_.blocking);
  EXPECT_EQ(store_->settings.end_time, 10);
  EXPECT_EQ(store_->settings.simulate, 10);
  EXPECT_EQ(WriteModelText(*store_, kPoint).back(), "by_time 10;");
}

TEST_F(ValidationTest, ARunByCountIgnoresTheEndTime) {
  EXPECT_EQ(ValidateValidModelWith({"simulate -1;"}),
            Lines{"1. Не указано число заявок которые должны пройти через модель. "
                  "Исправлено на 100."});
  EXPECT_EQ(store_->settings.simulate, 100);
  EXPECT_EQ(store_->settings.end_time, 0);
}

TEST_F(ValidationTest, CorrectionsAreNotFoundAgain) {
  ValidateValidModelWith({"queue 1;", "len 0;", "simulate 0;"});
  EXPECT_EQ(result_.findings.size(), 2u);
  result_ = ValidateModel(*store_, kPoint);
  EXPECT_EQ(result_.findings, Lines{});
}

// The golden cases of the model check: findings, blocking, caption and the
// canonical text after the corrections.
class GoldenValidationTest : public ::testing::TestWithParam<const char*> {};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_P(GoldenValidationTest, MatchesTheExpectedFindings) {
  const std::string base = std::string(QSIM_GOLDEN_DIR) + "/invalid/" + GetParam();
  const test_support::JsonValue expected =
      test_support::ParseJson(ReadFile(base + ".expected.json"));
  Lines text = ReadTextLines(base + ".txt");
  auto store = std::make_unique<ModelStore>();
  ReadModelText(text, *store, kPoint);
  const ValidationResult result = ValidateModel(*store, kPoint);
  EXPECT_EQ(ToUtf8(result.findings), expected["findings"].Strings());
  EXPECT_EQ(result.blocking, expected["blocking"].boolean);
  EXPECT_EQ(Cp1251ToUtf8(result.caption), expected["caption"].text);
  EXPECT_EQ(ToUtf8(WriteModelText(*store, kPoint)), expected["canonical"].Strings());
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenValidationTest,
                         ::testing::Values("corrections", "empty_model"));

}  // namespace
}  // namespace qsim
