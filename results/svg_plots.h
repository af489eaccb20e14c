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

// The histogram of a stream of durations in kHistogramBars bars of equal width from
// 0 to `upper` (a high percentile); the durations beyond it are added to the last
// bar. The counts come from the buckets of `histogram`, each put whole into the bar
// that holds its midpoint.
inline constexpr int kHistogramBars = 30;
std::vector<double> HistogramBars(const LogHistogram& histogram, double upper);
std::string HistogramSvg(const LogHistogram& histogram, double upper,
                         const std::string& x_end_label);

}  // namespace qsim
