#include "app/sweep_results_window.h"

#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/error_box.h"
#include "app/gui_text.h"
#include "app/sweep_cell_text.h"
#include "app/sweep_chart.h"
#include "app/sweep_column_titles.h"
#include "app/window_size.h"

namespace qsim::gui {
namespace {

// The column of the first queue's mean length, or the first column.
int FirstMeanQueueLength(const std::vector<std::string>& columns) {
  const auto found = std::find_if(columns.begin(), columns.end(), [](const std::string& column) {
    return column.starts_with("queue_") && column.ends_with("_mean_length");
  });
  return found == columns.end() ? 0 : static_cast<int>(found - columns.begin());
}

}  // namespace

SweepResultsWindow::SweepResultsWindow(SweepOutcome outcome, bool with_intervals,
                                       const ModelStore& store, const NumberFormat& format,
                                       const QString& reports_folder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      outcome_(std::move(outcome)),
      with_intervals_(with_intervals),
      format_(format),
      series_box_(new QComboBox(this)),
      statistic_box_(new QComboBox(this)),
      table_(new QTableWidget(this)),
      warning_note_(new QPlainTextEdit(this)),
      chart_view_(new QChartView(this)),
      save_dialog_(new QFileDialog(this, QStringLiteral("Сохранить результаты"), reports_folder,
                                   QStringLiteral("Таблицы CSV (*.csv);;Все файлы (*)"))) {
  setObjectName(QStringLiteral("SweepResultsWindow"));
  setWindowTitle(outcome_.cancelled ? QStringLiteral("Результаты расчета (расчет прерван)")
                                    : QStringLiteral("Результаты расчета"));
  resize(OpeningSize(*this, QSize(900, 640)));
  series_box_->setObjectName(QStringLiteral("SeriesBox"));
  statistic_box_->setObjectName(QStringLiteral("StatisticBox"));
  table_->setObjectName(QStringLiteral("ResultsTable"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  chart_view_->setObjectName(QStringLiteral("ResultsChart"));
  chart_view_->setRenderHint(QPainter::Antialiasing);
  save_dialog_->setObjectName(QStringLiteral("SaveDialog"));
  save_dialog_->setAcceptMode(QFileDialog::AcceptSave);
  save_dialog_->setDefaultSuffix(QStringLiteral("csv"));
  for (const SweepSeries& series : outcome_.series) {
    series_box_->addItem(FromCp1251(series.title));
    QStringList titles;
    for (const std::string& column : series.columns)
      titles << SweepColumnTitle(column, store);
    titles_.push_back(titles);
  }
  BuildLayout();
  resize(OpeningSize(*this, QSize(900, 640)));
  connect(series_box_, &QComboBox::currentIndexChanged, this, &SweepResultsWindow::ShowSeries);
  connect(statistic_box_, &QComboBox::currentIndexChanged, this, &SweepResultsWindow::ShowChart);
  ShowSeries();
}

// The choices and the export above, the table over the chart below.
void SweepResultsWindow::BuildLayout() {
  auto* export_button = new QPushButton(QStringLiteral("Сохранить в CSV..."), this);
  export_button->setObjectName(QStringLiteral("ExportButton"));
  auto* choices = new QHBoxLayout;
  choices->addWidget(series_box_, 1);
  choices->addWidget(new QLabel(QStringLiteral("График:"), this));
  choices->addWidget(statistic_box_);
  choices->addWidget(export_button);
  auto* table_pane = new QWidget(this);
  auto* table_layout = new QVBoxLayout(table_pane);
  table_layout->setContentsMargins(0, 0, 0, 0);
  if (with_intervals_) {
    auto* note = new QLabel(
        QStringLiteral("В ячейках: среднее по прогонам ± полуширина 95 %-го интервала"), this);
    note->setObjectName(QStringLiteral("IntervalNote"));
    table_layout->addWidget(note);
  }
  table_layout->addWidget(table_, 1);
  warning_note_->setObjectName(QStringLiteral("WarningNote"));
  warning_note_->setReadOnly(true);
  warning_note_->setMaximumHeight(warning_note_->fontMetrics().lineSpacing() * 4 +
                                  2 * warning_note_->frameWidth() + 8);
  table_layout->addWidget(warning_note_);
  auto* views = new QSplitter(Qt::Vertical, this);
  views->addWidget(table_pane);
  views->addWidget(chart_view_);
  views->setChildrenCollapsible(false);
  // Half each, whatever room the window gives and however the window grows.
  views->setStretchFactor(0, 1);
  views->setStretchFactor(1, 1);
  views->setSizes({1 << 16, 1 << 16});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(views, 1);
  connect(export_button, &QPushButton::clicked, this, &SweepResultsWindow::ExportCsv);
}

const SweepSeries& SweepResultsWindow::chosen() const {
  return outcome_.series.at(static_cast<std::size_t>(std::max(0, series_box_->currentIndex())));
}

const QStringList& SweepResultsWindow::chosen_titles() const {
  return titles_.at(static_cast<std::size_t>(std::max(0, series_box_->currentIndex())));
}

// The statistic charted stays the same from range to range where it can: the
// ranges of one series share the model's columns.
void SweepResultsWindow::ShowSeries() {
  const SweepSeries& series = chosen();
  FillTable(series);
  const int statistic = statistic_box_->count() > 0 ? statistic_box_->currentIndex()
                                                    : FirstMeanQueueLength(series.columns);
  const QSignalBlocker quiet(statistic_box_);
  statistic_box_->clear();
  statistic_box_->addItems(chosen_titles());
  statistic_box_->setCurrentIndex(std::clamp(statistic, 0, statistic_box_->count() - 1));
  ShowChart();
}

void SweepResultsWindow::FillTable(const SweepSeries& series) {
  table_->clear();
  table_->setRowCount(static_cast<int>(series.points.size()));
  table_->setColumnCount(static_cast<int>(series.columns.size()) + 1);
  const QStringList headers = QStringList{QStringLiteral("Значение")} + chosen_titles();
  table_->setHorizontalHeaderLabels(headers);
  for (int row = 0; row < table_->rowCount(); ++row) {
    const SweepPoint& point = series.points[static_cast<std::size_t>(row)];
    table_->setItem(row, 0, new QTableWidgetItem(FromCp1251(NumberText(point.value, format_))));
    for (int column = 1; column < table_->columnCount(); ++column) {
      const SweepStatistic& statistic = point.statistics.at(static_cast<std::size_t>(column - 1));
      table_->setItem(row, column,
                      new QTableWidgetItem(StatisticCellText(statistic, with_intervals_, format_)));
    }
  }
  table_->resizeColumnsToContents();
  QStringList warnings;
  for (std::size_t point = 0; point < series.points.size(); ++point) {
    if (!series.points[point].warning.empty()) {
      warnings << QStringLiteral("Точка %1: %2")
                      .arg(point + 1)
                      .arg(FromCp1251(series.points[point].warning));
    }
  }
  warning_note_->setPlainText(warnings.join(QLatin1Char('\n')));
  warning_note_->setVisible(!warnings.isEmpty());
}

void SweepResultsWindow::ShowChart() {
  const int column = statistic_box_->currentIndex();
  if (column < 0)
    return;
  QChart* old = chart_view_->chart();
  chart_view_->setChart(MakeSweepChart(chosen(), static_cast<std::size_t>(column),
                                       chosen_titles().value(column), with_intervals_));
  delete old;
}

void SweepResultsWindow::ExportCsv() {
  if (save_dialog_->exec() != QDialog::Accepted)
    return;
  SaveCsv(save_dialog_->selectedFiles().value(0));
}

bool SweepResultsWindow::SaveCsv(const QString& path) {
  const SweepSeries& series = chosen();
  const std::string csv = SweepCsv(series.columns, series.points, with_intervals_);
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) &&
      file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size()) &&
      file.commit()) {
    return true;
  }
  ShowErrorBox(this, QStringLiteral("Не удалось записать файл \"%1\". %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString()));
  return false;
}

}  // namespace qsim::gui
