#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include "app/sweep_runner.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

#include <vector>

class QChartView;
class QComboBox;
class QFileDialog;
class QPlainTextEdit;
class QTableWidget;

namespace qsim::gui {

// Shows the results of a series of runs: a selector of the ranges run, a table
// with a row per value of the chosen range and a column per statistic, a chart
// of one chosen statistic against the value (with its 95 % confidence band when
// each value was run more than once), and the chosen range's table saved as CSV.
// The table and the chart name each statistic by its element in Russian and
// round to 4 significant digits; the CSV keeps the columns' own names and every
// digit, for the programs that read it. The chart takes half the window's height
// below the choices and first shows the first queue's mean length, the figure a
// series is most often run for.
class SweepResultsWindow : public QWidget {
  Q_OBJECT

 public:
  // Closing hides the window, so that it can be shown again. `store` names the
  // elements; the CSV is saved into `reports_folder` unless the user chooses
  // another.
  // REQUIRES: `outcome` holds at least one series.
  SweepResultsWindow(SweepOutcome outcome, bool with_intervals, const ModelStore& store,
                     const NumberFormat& format, const QString& reports_folder, QWidget* parent);

  // Writes the chosen range's table to `path` as CSV; shows the error box and
  // returns false when the file cannot be written, leaving an old file intact.
  bool SaveCsv(const QString& path);

 public Q_SLOTS:
  void ExportCsv();

 private:
  void BuildLayout();
  void ShowSeries();
  void ShowChart();
  void FillTable(const SweepSeries& series);
  const SweepSeries& chosen() const;
  const QStringList& chosen_titles() const;

  SweepOutcome outcome_;
  std::vector<QStringList> titles_;  // the columns' titles, per series
  bool with_intervals_;
  NumberFormat format_;
  QComboBox* series_box_;
  QComboBox* statistic_box_;
  QTableWidget* table_;
  // The runs' warnings of the series shown, a line a point: a few lines high and
  // scrolled, so that many of them never take the chart's room; hidden without any.
  QPlainTextEdit* warning_note_;
  QChartView* chart_view_;
  QFileDialog* save_dialog_;
};

}  // namespace qsim::gui
