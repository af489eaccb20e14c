#include "engine/run_progress.h"

#include <algorithm>
#include <cmath>

#include "foundation/code_page.h"
#include "foundation/display_number.h"

namespace qsim {
namespace {

// Model time with one decimal place, more when the end time is small, so that the
// figure still moves while the run goes on.
std::string TimeText(double time, double end_time, const NumberFormat& format) {
  int decimals = 1;
  if (end_time > 0)
    decimals = std::clamp(3 - int(std::floor(std::log10(end_time))), 1, 6);
  const double scale = std::pow(10.0, decimals);
  return GroupedNumber(NumberText(std::round(time * scale) / scale, format));
}

std::string Percent(double done, double total) {
  if (!(total > 0))
    return {};
  const double percent = std::clamp(std::floor(done / total * 100), 0.0, 100.0);
  return " (" + IntegerText(std::int64_t(percent)) + " %)";
}

}  // namespace

std::string RunProgressText(const RunProgress& p, const NumberFormat& format) {
  if (p.goal == RunGoal::Requests) {
    return std::string("Заявок: "_cp) + GroupedInteger(std::int64_t(p.done)) +
           std::string(" из "_cp) + GroupedInteger(std::int64_t(p.total)) +
           Percent(p.done, p.total);
  }
  return std::string("Время: "_cp) + TimeText(p.done, p.total, format) + std::string(" из "_cp) +
         GroupedNumber(NumberText(p.total, format)) + Percent(p.done, p.total);
}

std::string PrecisionProgressText(const RunProgress& p, const NumberFormat& format) {
  if (!(p.precision > 0))
    return {};
  auto percent = [&](double share) {
    return NumberText(std::round(share * 1000) / 10, format) + " %";
  };
  const std::string goal = std::string(" (цель "_cp) + percent(p.precision) + ")";
  if (!p.worst_relative_half_width)
    return std::string("Точность: оценивается"_cp) + goal;
  return std::string("Точность: "_cp) + percent(*p.worst_relative_half_width) + goal;
}

std::string SeriesPlaceText(const SeriesPlace& s) {
  if (s.points < 1)
    return {};
  // "Точка " in Windows-1251 bytes: clang 14, which builds the fuzz targets,
  // crashes on that one literal converted at compile time in this file.
  std::string text = std::string("\xD2\xEE\xF7\xEA\xE0 ") + GroupedInteger(s.point) +
                     std::string(" из "_cp) + GroupedInteger(s.points);
  if (s.runs > 1) {
    text += std::string(", прогон "_cp) + GroupedInteger(s.run) + std::string(" из "_cp) +
            GroupedInteger(s.runs);
  }
  return text;
}

RunProgress ProgressOf(const ModelStore& store, std::int64_t events) {
  const RunSettings& settings = store.settings;
  RunProgress progress{.events = events, .generated = store.generated, .now = store.now};
  if (settings.by_time) {
    progress.goal = RunGoal::ModelTime;
    progress.done = store.now;
    progress.total = settings.end_time;
  } else {
    progress.done = store.generated;
    progress.total = settings.simulate;
  }
  return progress;
}

}  // namespace qsim
