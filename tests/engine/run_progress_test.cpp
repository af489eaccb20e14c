#include "engine/run_progress.h"

#include <gtest/gtest.h>

#include "foundation/code_page.h"

namespace qsim {
namespace {

struct ProgressCase {
  RunProgress progress;
  char separator;
  const char* goal;
};

TEST(RunProgressTextTest, ReadsAsTheProgressWindowShowsIt) {
  using G = RunGoal;
  const ProgressCase cases[] = {
      {{.goal = G::Requests, .done = 3120, .total = 10000}, ',', "Заявок: 3 120 из 10 000 (31 %)"},
      {{.goal = G::Requests, .done = 999, .total = 1000}, ',', "Заявок: 999 из 1 000 (99 %)"},
      {{.goal = G::Requests, .done = 1234567, .total = 1234567},
       '.',
       "Заявок: 1 234 567 из 1 234 567 (100 %)"},
      {{.goal = G::Requests, .done = 0, .total = 0}, ',', "Заявок: 0 из 0"},
      {{.goal = G::ModelTime, .done = 412.46, .total = 1000}, ',', "Время: 412,5 из 1 000 (41 %)"},
      {{.goal = G::ModelTime, .done = 1000.25, .total = 1000},
       '.',
       "Время: 1 000.3 из 1 000 (100 %)"},
      {{.goal = G::ModelTime, .done = 0.123456, .total = 0.5}, ',', "Время: 0,1235 из 0,5 (24 %)"},
      {{.goal = G::ModelTime, .done = 5e14, .total = 1e15},
       '.',
       "Время: 500 000 000 000 000 из 1E15 (50 %)"},
      {{.goal = G::ModelTime, .done = 3, .total = -1}, '.', "Время: 3 из -1"},
  };
  for (const ProgressCase& c : cases) {
    EXPECT_EQ(Cp1251ToUtf8(RunProgressText(c.progress, NumberFormat{c.separator})), c.goal);
  }
}

TEST(RunProgressTextTest, SeriesPlaceLeavesOutTheRunForOneRunPerPoint) {
  EXPECT_EQ(Cp1251ToUtf8(SeriesPlaceText({3, 10, 2, 5})), "Точка 3 из 10, прогон 2 из 5");
  EXPECT_EQ(Cp1251ToUtf8(SeriesPlaceText({3, 1200, 1, 1})), "Точка 3 из 1 200");
  EXPECT_EQ(SeriesPlaceText({}), "");
}

TEST(RunProgressTextTest, PrecisionShowsTheWorstFigureOnceEveryOneHasAnInterval) {
  RunProgress progress;
  EXPECT_EQ(PrecisionProgressText(progress, NumberFormat{','}), "");
  progress.precision = 0.02;
  EXPECT_EQ(Cp1251ToUtf8(PrecisionProgressText(progress, NumberFormat{','})),
            "Точность: оценивается (цель 2 %)");
  progress.worst_relative_half_width = 0.03141;
  EXPECT_EQ(Cp1251ToUtf8(PrecisionProgressText(progress, NumberFormat{','})),
            "Точность: 3,1 % (цель 2 %)");
}

TEST(RunProgressTextTest, TheGoalIsTheModelsStopCondition) {
  ModelStore store;
  store.generated = 7;
  store.now = 2.5;
  store.settings.simulate = 100;
  store.settings.end_time = 40;
  const RunProgress by_count = ProgressOf(store, 9);
  EXPECT_EQ(by_count.events, 9);
  EXPECT_EQ(by_count.goal, RunGoal::Requests);
  EXPECT_EQ(by_count.done, 7);
  EXPECT_EQ(by_count.total, 100);
  store.settings.by_time = true;
  const RunProgress by_time = ProgressOf(store, 9);
  EXPECT_EQ(by_time.goal, RunGoal::ModelTime);
  EXPECT_EQ(by_time.done, 2.5);
  EXPECT_EQ(by_time.total, 40);
}

}  // namespace
}  // namespace qsim
