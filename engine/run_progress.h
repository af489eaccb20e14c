#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// What a run is heading for: the model's stop condition.
enum class RunGoal {
  Requests,   // generate `simulate` requests
  ModelTime,  // reach `end_time`
};

// How far a series of runs (a sweep) has come: the point in hand and the runs done
// at it, 1-based.
struct SeriesPlace {
  int point = 0;  // the value of the swept parameter
  int points = 0;
  int run = 0;  // the replication at that value
  int runs = 0;
};

// Where a run stands; reported every few thousand events. A plain value, so that
// it can be made on any thread.
struct RunProgress {
  std::int64_t events = 0;     // events taken from the calendar
  std::int32_t generated = 0;  // requests generated
  double now = 0;              // model time
  RunGoal goal = RunGoal::Requests;
  double done = 0;   // requests generated or model time reached
  double total = 0;  // requests to generate or the end time
  // For a run that stops at a precision (`precision`, 0 for none): the largest
  // relative half-width of the figures it waits for, once every one of them has
  // an interval.
  double precision = 0;
  std::optional<double> worst_relative_half_width = std::nullopt;
};

// Where a run on `store` stands after `events` events; outside a series.
RunProgress ProgressOf(const ModelStore& store, std::int64_t events);

// The goal as the progress window reads it (Windows-1251): "Заявок: 3 120 из
// 10 000 (31 %)" or "Время: 412,5 из 1 000 (41 %)". Digits are grouped by threes
// with a space; the percentage is rounded down and kept within 0 to 100, and left
// out when there is no goal.
std::string RunProgressText(const RunProgress& progress, const NumberFormat& format);

// The precision a run waits for, as the progress window reads it (Windows-1251):
// "Точность: 3,1 % (цель 2 %)", "Точность: оценивается (цель 2 %)" until every
// marked figure has an interval; empty for a run that waits for none. Per cent
// with one decimal.
std::string PrecisionProgressText(const RunProgress& progress, const NumberFormat& format);

// The place in a series as the progress window reads it (Windows-1251): "Точка 3
// из 10, прогон 2 из 5", without the run for one run per point; empty when there
// are no points.
std::string SeriesPlaceText(const SeriesPlace& place);

}  // namespace qsim
