#include "results/svg_plots.h"

#include <algorithm>
#include <cstdio>

namespace qsim {
namespace {

constexpr double kWidth = 600;
constexpr double kHeight = 160;
constexpr double kLeft = 50;  // room for the value labels
constexpr double kBottom = 20;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Open() {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(kLeft + kWidth + 10) +
         "\" height=\"" + Number(kHeight + kBottom + 10) + "\">";
}

// Axes with the top value at the left and the last time or duration at the right.
std::string Axes(const std::string& x_end_label, const std::string& y_top_label) {
  const std::string bottom = Number(kHeight + 5);
  return "<line x1=\"" + Number(kLeft) + "\" y1=\"5\" x2=\"" + Number(kLeft) + "\" y2=\"" + bottom +
         "\" stroke=\"black\"/><line x1=\"" + Number(kLeft) + "\" y1=\"" + bottom + "\" x2=\"" +
         Number(kLeft + kWidth) + "\" y2=\"" + bottom +
         "\" stroke=\"black\"/><text x=\"2\" y=\"15\" font-size=\"11\">" + y_top_label +
         "</text><text x=\"" + Number(kLeft - 3) + "\" y=\"" + Number(kHeight + 18) +
         "\" font-size=\"11\">0</text><text x=\"" + Number(kLeft + kWidth - 60) + "\" y=\"" +
         Number(kHeight + 18) + "\" font-size=\"11\">" + x_end_label + "</text>";
}

}  // namespace

std::string StepPlotSvg(const std::vector<double>& levels, double cell_width,
                        const std::string& x_end_label, const std::string& y_top_label) {
  const double top = std::max(1e-300, *std::max_element(levels.begin(), levels.end()));
  const double end = cell_width * static_cast<double>(levels.size());
  auto x = [&](double time) { return Number(kLeft + kWidth * time / end); };
  auto y = [&](double level) { return Number(5 + kHeight * (1 - level / top)); };
  std::string points;
  for (std::size_t cell = 0; cell < levels.size(); ++cell) {
    const double from = cell_width * static_cast<double>(cell);
    points +=
        x(from) + "," + y(levels[cell]) + " " + x(from + cell_width) + "," + y(levels[cell]) + " ";
  }
  return Open() + Axes(x_end_label, y_top_label) +
         "<polyline fill=\"none\" stroke=\"#1f5fa8\" points=\"" + points + "\"/></svg>";
}

std::vector<double> HistogramBars(const LogHistogram& histogram, double upper) {
  std::vector<double> bars(kHistogramBars, 0);
  if (!(upper > 0) || histogram.count() == 0)
    return bars;
  const double width = upper / kHistogramBars;
  const double percent = 100 / static_cast<double>(histogram.count());
  for (const LogHistogram::Bar& bucket : histogram.Bars()) {
    const double bar = (bucket.low + bucket.high) / 2 / width;
    if (bucket.low > 0 && bar < kHistogramBars)
      bars[static_cast<std::size_t>(bar)] += static_cast<double>(bucket.count) * percent;
  }
  return bars;
}

double ZeroPercent(const LogHistogram& histogram) {
  const std::vector<LogHistogram::Bar> buckets = histogram.Bars();
  if (buckets.empty() || buckets.front().low > 0)
    return 0;
  return 100 * static_cast<double>(buckets.front().count) / static_cast<double>(histogram.count());
}

std::string HistogramSvg(const std::vector<double>& bars, const std::string& x_end_label,
                         const std::string& y_top_label) {
  const double top = std::max(1e-300, *std::max_element(bars.begin(), bars.end()));
  std::string rectangles;
  const double bar_width = kWidth / static_cast<double>(bars.size());
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const double height = kHeight * bars[i] / top;
    rectangles += "<rect x=\"" + Number(kLeft + bar_width * static_cast<double>(i)) + "\" y=\"" +
                  Number(5 + kHeight - height) + "\" width=\"" + Number(bar_width - 1) +
                  "\" height=\"" + Number(height) + "\" fill=\"#7a9cc6\"/>";
  }
  return Open() + Axes(x_end_label, y_top_label) + rectangles + "</svg>";
}

}  // namespace qsim
