#pragma once

#include <QString>
#include <QWidget>

#include "app/sweep_runner.h"
#include "foundation/number_format.h"

class QChartView;
class QComboBox;
class QFileDialog;
class QTableWidget;

namespace qsim::gui {

// Shows the results of a series of runs: a selector of the ranges run, a table
// with a row per value of the chosen range and a column per statistic, a chart
// of one chosen statistic against the value (with its 95 % confidence band when
// each value was run more than once), and the chosen range's table saved as CSV.
class SweepResultsWindow : public QWidget {
  Q_OBJECT

 public:
  // Deletes itself when closed. REQUIRES: `outcome` holds at least one series.
  SweepResultsWindow(SweepOutcome outcome, bool with_intervals, const NumberFormat& format,
                     QWidget* parent);

  // Writes the chosen range's table to `path` as CSV; shows the error box and
  // returns false when the file cannot be written, leaving an old file intact.
  bool SaveCsv(const QString& path);

 public Q_SLOTS:
  void ExportCsvClick();

 private:
  void BuildLayout();
  void ShowSeries();
  void ShowChart();
  void FillTable(const SweepSeries& series);
  QString CellText(const SweepStatistic& statistic) const;
  const SweepSeries& chosen() const;

  SweepOutcome outcome_;
  bool with_intervals_;
  NumberFormat format_;
  QComboBox* series_box_;
  QComboBox* statistic_box_;
  QTableWidget* table_;
  QChartView* chart_view_;
  QFileDialog* save_dialog_;
};

}  // namespace qsim::gui
