#include "app/sweep_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QValueAxis>

#include <algorithm>

#include "app/gui_text.h"

namespace qsim::gui {
namespace {

// The band takes the line's colour, so it is fixed before the chart's theme
// would pick one.
const QColor kMeanColor(32, 159, 223);

// The band's lines belong to the area series that fills between them.
QAreaSeries* IntervalBand(const SweepSeries& series, std::size_t column, const QColor& color) {
  auto* upper = new QLineSeries;
  auto* lower = new QLineSeries;
  for (const SweepPoint& point : series.points) {
    const SweepStatistic& statistic = point.statistics.at(column);
    if (!statistic.mean)
      continue;
    const double half_width = statistic.half_width.value_or(0);
    upper->append(point.value, *statistic.mean + half_width);
    lower->append(point.value, *statistic.mean - half_width);
  }
  auto* band = new QAreaSeries(upper, lower);
  upper->setParent(band);
  lower->setParent(band);
  band->setName(QStringLiteral("95 %-й доверительный интервал"));
  QColor fill = color;
  fill.setAlpha(60);
  band->setBrush(fill);
  band->setPen(Qt::NoPen);
  return band;
}

QLineSeries* MeanLine(const SweepSeries& series, std::size_t column, const QString& title) {
  auto* line = new QLineSeries;
  line->setName(title);
  line->setPointsVisible(true);
  for (const SweepPoint& point : series.points) {
    const SweepStatistic& statistic = point.statistics.at(column);
    if (statistic.mean)
      line->append(point.value, *statistic.mean);
  }
  return line;
}

// What queueing theory predicts, dashed; empty where it does not apply.
QLineSeries* PredictionLine(const SweepSeries& series, std::size_t column) {
  auto* line = new QLineSeries;
  line->setName(QStringLiteral("теория"));
  QPen pen(kMeanColor.darker(140));
  pen.setStyle(Qt::DashLine);
  pen.setWidth(2);
  line->setPen(pen);
  for (const SweepPoint& point : series.points) {
    if (column < point.predicted.size() && point.predicted[column])
      line->append(point.value, *point.predicted[column]);
  }
  return line;
}

// The lowest value the chart shows: the means and the predictions, not the band,
// whose symmetric interval may reach below what the statistic can take.
double LowestValue(const SweepSeries& series, std::size_t column) {
  double lowest = 0;
  for (const SweepPoint& point : series.points) {
    if (const auto& mean = point.statistics.at(column).mean)
      lowest = std::min(lowest, *mean);
    if (column < point.predicted.size() && point.predicted[column])
      lowest = std::min(lowest, *point.predicted[column]);
  }
  return lowest;
}

// A statistic that cannot be negative is read against 0.
void FitValueAxis(QValueAxis& axis, double lowest) {
  axis.applyNiceNumbers();
  if (lowest >= 0 && axis.min() != 0) {
    axis.setMin(0);
    axis.applyNiceNumbers();
  }
}

}  // namespace

QChart* MakeSweepChart(const SweepSeries& series, std::size_t column, const QString& title,
                       bool with_intervals) {
  auto* chart = new QChart;
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  chart->setLocale(locale);
  chart->setLocalizeNumbers(true);
  auto* x_axis = new QValueAxis;
  x_axis->setTitleText(FromCp1251(series.title));
  auto* y_axis = new QValueAxis;
  chart->addAxis(x_axis, Qt::AlignBottom);
  chart->addAxis(y_axis, Qt::AlignLeft);
  QLineSeries* mean = MeanLine(series, column, title);
  mean->setColor(kMeanColor);
  if (with_intervals) {
    QAreaSeries* band = IntervalBand(series, column, kMeanColor);
    chart->addSeries(band);
    band->attachAxis(x_axis);
    band->attachAxis(y_axis);
  }
  chart->addSeries(mean);
  mean->attachAxis(x_axis);
  mean->attachAxis(y_axis);
  QLineSeries* prediction = PredictionLine(series, column);
  if (prediction->count() == 0) {
    delete prediction;
  } else {
    chart->addSeries(prediction);
    prediction->attachAxis(x_axis);
    prediction->attachAxis(y_axis);
  }
  x_axis->applyNiceNumbers();
  FitValueAxis(*y_axis, LowestValue(series, column));
  return chart;
}

}  // namespace qsim::gui
