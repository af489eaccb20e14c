#pragma once

#include <string>
#include <vector>

#include "engine/log_histogram.h"

namespace qsim {

// Small plots as inline SVG for the report, with no file beside it. The labels of
// the axes' ends come written (the report's number form); the rest is ASCII.

// A step plot of `levels`, one step per cell of `cell_width` model time, from time
// 0: a queue's mean length over each cell of the run. At most one step per cell,
// so at most a few thousand points.
std::string StepPlotSvg(const std::vector<double>& levels, double cell_width,
                        const std::string& x_end_label, const std::string& y_top_label);

// A histogram of a stream of durations: the share, in per cent of every duration
// in `histogram`, of the positive ones in each of kHistogramBars bars of equal
// width from 0 to `upper` (a high percentile). Durations of zero, which would dwarf
// the rest (the requests that found a free device), and those beyond `upper` are
// left out: ZeroPercent gives the share of the first, the caption names the second.
// Each bucket of `histogram` goes whole into the bar that holds its midpoint.
inline constexpr int kHistogramBars = 30;
std::vector<double> HistogramBars(const LogHistogram& histogram, double upper);
double ZeroPercent(const LogHistogram& histogram);
std::string HistogramSvg(const std::vector<double>& bars, const std::string& x_end_label,
                         const std::string& y_top_label);

}  // namespace qsim
