#pragma once

#include <cstddef>

#include "app/sweep_runner.h"

class QChart;

namespace qsim::gui {

// A chart of statistic `column` of `series` against the parameter's value: the
// means as a line, and with `with_intervals` their 95 % confidence intervals as a
// band around it; where queueing theory applies, its prediction as a dashed line
// («теория»). Points where the statistic has no value are left out. The
// caller owns the chart.
QChart* MakeSweepChart(const SweepSeries& series, std::size_t column, bool with_intervals);

}  // namespace qsim::gui
