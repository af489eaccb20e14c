#include "commands/sweep_plan.h"

#include <gtest/gtest.h>

#include <memory>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;

class SweepPlanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_->generator(1).exists = true;
    store_->generator(1).name.assign("G1");
    store_->generator(4).exists = true;
    store_->generator(4).la = 3;
    store_->queue(2).exists = true;
    store_->queue(2).len = 5;
    store_->device(3).exists = true;
    store_->device(3).k = 4;
    store_->device(3).v = 0.5;
    plan_.Rebuild(*store_);
  }

  Lines Texts() const {
    Lines texts;
    for (const SweepEntry& entry : plan_.entries())
      texts.push_back(Cp1251ToUtf8(entry.text));
    return texts;
  }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  SweepPlan plan_;
  const NumberFormat comma_{','};
};

TEST_F(SweepPlanTest, ParametersAreListedByKindThenSlot) {
  EXPECT_EQ(Texts(), (Lines{"Интенсивность потока заявок генератора 1 (G1)",
                            "Интенсивность потока заявок генератора 4 ()", "Длина очереди 2 ()",
                            "Среднее время обслуживания в устройстве 3 ()",
                            "Число каналов в устройстве 3 ()"}));
}

TEST_F(SweepPlanTest, ShownValuesAreTheCurrentValueAndTheStoredEnd) {
  EXPECT_EQ(plan_.ShownValues(*store_, 4, comma_), (std::pair<std::string, std::string>{"4", "0"}));
  EXPECT_EQ(plan_.ShownValues(*store_, 3, comma_),
            (std::pair<std::string, std::string>{"0,5", "0"}));
}

TEST_F(SweepPlanTest, AddingWithNothingChosenStillLocksTheStepCount) {
  EXPECT_FALSE(plan_.Add(*store_, -1, "", "7", comma_));
  EXPECT_TRUE(plan_.step_count_locked());
  EXPECT_EQ(plan_.step_count(), 7);
  EXPECT_TRUE(plan_.lines().empty());
}

TEST_F(SweepPlanTest, AQueueRangeIsRecordedAndListed) {
  const auto line = plan_.Add(*store_, 2, "14", "10", comma_);
  ASSERT_TRUE(line);
  EXPECT_EQ(Cp1251ToUtf8(*line), "Длина очереди 2 () от 5 до 14 шаг: 1");
  EXPECT_EQ(plan_.RecordedRangeOf({ElementKind::Queue, 2, SweepField::Length}).from, 5);
  EXPECT_EQ(plan_.RecordedRangeOf({ElementKind::Queue, 2, SweepField::Length}).to, 14);
  EXPECT_EQ(plan_.RecordedRangeOf({ElementKind::Queue, 2, SweepField::Length}).step, 1);
  ASSERT_EQ(plan_.ranges().size(), 1u);
  EXPECT_EQ(plan_.ranges()[0].steps, 10);
  EXPECT_EQ(plan_.ShownValues(*store_, 2, comma_).second, "14");
}

TEST_F(SweepPlanTest, DeviceRangesAreRecordedLikeTheOthers) {
  const auto line = plan_.Add(*store_, 3, "1,5", "3", comma_);
  EXPECT_EQ(Cp1251ToUtf8(*line),
            "Среднее время обслуживания в устройстве 3 () от 0,5 до 1,5 шаг: 0,5");
  EXPECT_EQ(plan_.RecordedRangeOf({ElementKind::Device, 3, SweepField::ServiceTime}).to, 1.5);
  plan_.Add(*store_, 4, "10", "3", comma_);
  EXPECT_EQ(plan_.RecordedRangeOf({ElementKind::Device, 3, SweepField::Channels}).to, 10);
  EXPECT_EQ(plan_.RecordedRangeOf({ElementKind::Device, 3, SweepField::Channels}).step, 3);
  EXPECT_EQ(plan_.lines().size(), 2u);
}

TEST_F(SweepPlanTest, BadTextsChangeNothing) {
  EXPECT_THROW(plan_.Add(*store_, 2, "14", "x", comma_), QsimError);
  EXPECT_THROW(plan_.Add(*store_, 2, "14", "1", comma_), QsimError);
  EXPECT_FALSE(plan_.step_count_locked());
  EXPECT_THROW(plan_.Add(*store_, 2, "1,5", "10", comma_), QsimError);
  EXPECT_EQ(plan_.RecordedRangeOf({ElementKind::Queue, 2, SweepField::Length}).from, 0);
  EXPECT_TRUE(plan_.lines().empty());
}

TEST_F(SweepPlanTest, RebuildingKeepsTheLinesAndClearingForgetsThem) {
  plan_.Add(*store_, 2, "14", "10", comma_);
  store_->queue(2).exists = false;
  plan_.Rebuild(*store_);
  EXPECT_EQ(plan_.entries().size(), 4u);
  EXPECT_EQ(plan_.lines().size(), 1u);
  store_->queue(2).exists = true;
  plan_.Clear(*store_);
  EXPECT_TRUE(plan_.lines().empty());
  EXPECT_FALSE(plan_.step_count_locked());
  EXPECT_EQ(plan_.RecordedRangeOf({ElementKind::Queue, 2, SweepField::Length}).to, 0);
}

}  // namespace
}  // namespace qsim
