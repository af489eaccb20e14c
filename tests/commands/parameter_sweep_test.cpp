#include "commands/parameter_sweep.h"

#include "commands/parallel_series.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_reader.h"
#include "language/model_text_writer.h"
#include "results/traffic_analysis.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;
const NumberFormat kPoint{'.'};

// A busy single line with refusals: arrivals at rate 4 and services of mean 0.2,
// both uniform from 0 to twice the mean, and a queue whose length the series varies.
const Lines kModel = {
    "generator 1;", "la 4;",   "rasp 0;",     "disp 1;",     "transfer 1;",   "1 queue 1;",
    "queue 1;",     "len 1;",  "transfer 1;", "1 device 1;", "device 1;",     "k 1;",
    "v 0.2;",       "rasp 0;", "disp 1;",     "transfer 1;", "1 terminator;", "simulate 2000;"};

class ParameterSweepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Lines text = kModel;
    ReadModelText(text, *store_, kPoint);
  }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
};

TEST_F(ParameterSweepTest, LongerQueuesRefuseLessAndTheModelIsKept) {
  const Lines before = WriteModelText(*store_, kPoint);
  const SweepRange range{{ElementKind::Queue, 1, SweepField::Length}, 1, 9, 5};
  const auto points = RunSweep(*store_, range, 1, kPoint);
  ASSERT_EQ(points.size(), 5u);
  EXPECT_EQ(points[0].value, 1);
  EXPECT_EQ(points[4].value, 9);
  const auto columns = SweepColumns(*store_);
  ASSERT_EQ(columns[1], "generator_1_refused");
  for (std::size_t i = 1; i < points.size(); ++i) {
    EXPECT_LT(*points[i].statistics[1].mean, *points[i - 1].statistics[1].mean) << i;
    EXPECT_FALSE(points[i].statistics[1].half_width);
  }
  EXPECT_EQ(WriteModelText(*store_, kPoint), before);
}

// With exponential laws (5) the queue and the device form an M/M/1/K: each point
// carries the theory's queue length, wait and utilisation for K = 1 + len; the
// uniform laws of the model give no prediction.
TEST_F(ParameterSweepTest, PointsCarryTheTheoryWhereItApplies) {
  const SweepRange range{{ElementKind::Queue, 1, SweepField::Length}, 1, 3, 2};
  const auto uniform = RunSweep(*store_, range, 1, kPoint);
  for (const std::optional<double>& value : uniform.at(0).predicted)
    EXPECT_FALSE(value.has_value());
  store_->generator(1).rasp = kPureExponential;
  store_->device(1).rasp = kPureExponential;
  const auto points = RunSweep(*store_, range, 1, kPoint);
  ASSERT_EQ(points.size(), 2u);
  ASSERT_EQ(points[1].predicted.size(), SweepColumns(*store_).size());  // 3 + 2 + 1
  const QueuePrediction theory = MmckPrediction(4, 5, 1, 4);
  EXPECT_FALSE(points[1].predicted[0].has_value());  // generator served
  EXPECT_DOUBLE_EQ(*points[1].predicted[3], theory.mean_queue_length);
  EXPECT_DOUBLE_EQ(*points[1].predicted[4], theory.mean_wait);
  EXPECT_DOUBLE_EQ(*points[1].predicted[5], 0.8 * (1 - theory.refusal_probability));
}

TEST_F(ParameterSweepTest, WholeNumberFieldsAreRoundedAndRealsAreNot) {
  auto points =
      RunSweep(*store_, {{ElementKind::Device, 1, SweepField::Channels}, 1, 2, 3}, 1, kPoint);
  EXPECT_EQ(points[1].value, 2);  // 1.5 rounds away from zero
  points = RunSweep(*store_, {{ElementKind::Device, 1, SweepField::ServiceTime}, 0.1, 0.2, 3}, 1,
                    kPoint);
  EXPECT_DOUBLE_EQ(points[1].value, 0.15);
  EXPECT_EQ(store_->device(1).v, 0.2);
  points =
      RunSweep(*store_, {{ElementKind::Generator, 1, SweepField::Intensity}, 2, 3, 3}, 1, kPoint);
  EXPECT_EQ(points[1].value, 2.5);
}

TEST_F(ParameterSweepTest, ReplicationsGiveAMeanAndAnInterval) {
  const auto points =
      RunSweep(*store_, {{ElementKind::Generator, 1, SweepField::Intensity}, 2, 2, 1}, 5, kPoint);
  ASSERT_EQ(points.size(), 1u);
  const SweepStatistic& served = points[0].statistics[0];
  ASSERT_TRUE(served.mean && served.half_width);
  EXPECT_GT(*served.half_width, 0);
  EXPECT_LT(*served.half_width, *served.mean);
}

TEST_F(ParameterSweepTest, UnusableRangesAreRefused) {
  EXPECT_THROW(RunSweep(*store_, {{ElementKind::Queue, 7, SweepField::Length}, 1, 2, 2}, 1, kPoint),
               QsimError);
  EXPECT_THROW(
      RunSweep(*store_, {{ElementKind::Queue, 1, SweepField::Channels}, 1, 2, 2}, 1, kPoint),
      QsimError);
  EXPECT_THROW(RunSweep(*store_, {{ElementKind::Queue, 1, SweepField::Length}, 1, 2, 0}, 1, kPoint),
               QsimError);
  EXPECT_THROW(
      RunSweep(*store_, {{ElementKind::Queue, 1, SweepField::Length}, 1, 3e9, 2}, 1, kPoint),
      QsimError);
}

// A value the model check would correct, or a run would take as no duration, is
// refused before the series starts, whichever end it is at: a row is never
// labelled with a value that was not run.
TEST_F(ParameterSweepTest, ValuesOutsideAFieldsDomainAreRefused) {
  const struct {
    ElementKind kind;
    SweepField field;
    double from;
    double to;
    bool usable;
  } cases[] = {
      {ElementKind::Generator, SweepField::Intensity, 0, 3, false},
      {ElementKind::Generator, SweepField::Intensity, 0.5, 3, true},
      {ElementKind::Generator, SweepField::Intensity, -0.5, 3, false},
      {ElementKind::Queue, SweepField::Length, -5, 3, false},
      {ElementKind::Queue, SweepField::Length, 1, 250, false},
      {ElementKind::Queue, SweepField::Length, 200, 1, true},
      {ElementKind::Device, SweepField::Channels, 40, 60, false},
      {ElementKind::Device, SweepField::Channels, 0, 5, false},
      {ElementKind::Device, SweepField::Channels, 1, 50, true},
      {ElementKind::Device, SweepField::ServiceTime, -1, 1, false},
      {ElementKind::Device, SweepField::ServiceTime, 0, 1, false},
      {ElementKind::Device, SweepField::ServiceTime, -1e308, 1e308, false},
      {ElementKind::Device, SweepField::ServiceTime, 1e-300, 1e308, true},
  };
  for (const auto& c : cases) {
    const SweepRange range{{c.kind, 1, c.field}, c.from, c.to, 3};
    EXPECT_EQ(SweepRangeFault(*store_, range).has_value(), !c.usable) << c.from << ".." << c.to;
  }
}

TEST(SeriesPointValueTest, BothEndsAreExact) {
  for (const auto& [from, to] : {std::pair{0.1, 0.7}, {1e-300, 1e308}, {3.0, 0.3}}) {
    const SeriesDefinition series{
        SweepRange{{ElementKind::Device, 1, SweepField::ServiceTime}, from, to, 7}, 1, 0};
    EXPECT_EQ(SeriesPointValue(series, 0), from);
    EXPECT_EQ(SeriesPointValue(series, 6), to);
  }
}

// Runs whose laws give durations that cannot be carry the warning a run gives.
TEST_F(ParameterSweepTest, PointsCarryTheRunsWarnings) {
  store_->device(1).rasp = kGaussian;  // with a spread far beyond the mean
  store_->device(1).disp = 4;
  const auto points = RunSweep(
      *store_, {{ElementKind::Device, 1, SweepField::ServiceTime}, 0.1, 0.2, 2}, 1, kPoint);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_NE(points[0].warning.find("отрицательных или нулевых длительностей"_cp),
            std::string::npos);
}

TEST_F(ParameterSweepTest, ABlockingCheckStopsTheSeriesAndKeepsTheModel) {
  store_->generator(1).transitions[1].prob = 0.5;
  try {
    RunSweep(*store_, {{ElementKind::Queue, 1, SweepField::Length}, 1, 2, 2}, 1, kPoint);
    FAIL();
  } catch (const QsimError& error) {
    EXPECT_NE(error.message().find("сумма вер-тей переходов меньше 1"_cp), std::string::npos);
  }
  EXPECT_EQ(store_->queue(1).len, 1);
}

TEST_F(ParameterSweepTest, CsvHasAHeaderAndARowPerPoint) {
  const std::vector<SweepPoint> points = {{1, {{2.5, 0.5}, {std::nullopt, std::nullopt}}, {}, {}},
                                          {2, {{3, 0.25}, {1e-5, std::nullopt}}, {}, {}}};
  EXPECT_EQ(SweepCsv({"a", "b"}, points, true),
            "value,a,a_ci95,b,b_ci95\n1,2.5,0.5,,\n2,3,0.25,1E-5,\n");
  EXPECT_EQ(SweepCsv({"a", "b"}, points, false), "value,a,b\n1,2.5,\n2,3,1E-5\n");
}

}  // namespace
}  // namespace qsim
