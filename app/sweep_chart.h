#pragma once

#include <cstddef>

#include "app/sweep_runner.h"

class QChart;
class QString;

namespace qsim::gui {

// A chart of statistic `column` of `series` against the parameter's value: the
// means as a line named `title`, and with `with_intervals` their 95 % confidence
// intervals as a band around it; where queueing theory applies, its prediction
// as a dashed line («теория»). Points where the statistic has no value are left
// out. The axes write numbers as the user's locale does, and the value axis
// starts at 0 unless a value is negative. The caller owns the chart.
QChart* MakeSweepChart(const SweepSeries& series, std::size_t column, const QString& title,
                       bool with_intervals);

}  // namespace qsim::gui
