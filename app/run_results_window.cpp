#include "app/run_results_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>

#include "app/gui_text.h"
#include "app/window_size.h"
#include "results/figures_report.h"
#include "results/svg_plots.h"

namespace qsim::gui {
namespace {

// The view takes the chart and lets go of the one before, which is then deleted.
void ReplaceChart(QChartView& view, QChart* chart) {
  QChart* before = view.chart();
  view.setChart(chart);
  delete before;
}

QChartView* NewChartView(const char* name) {
  auto* view = new QChartView;
  view->setObjectName(QLatin1String(name));
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumHeight(200);
  return view;
}

// A round step (1, 2 or 5 times a power of ten) that cuts `range` in at most 4,
// so that the labels have room even at a large scale.
double RoundStep(double range) {
  const double power = std::pow(10.0, std::floor(std::log10(range)));
  for (double factor : {0.1, 0.2, 0.5, 1.0, 2.0}) {
    if (range / (factor * power) <= 4)
      return factor * power;
  }
  return 5 * power;
}

// A value axis from 0 to `top` with ticks at round values and `title`.
QValueAxis* NewAxis(double top, const QString& title) {
  auto* axis = new QValueAxis;
  const double end = top > 0 && std::isfinite(top) ? top : 1;
  axis->setRange(0, end);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(RoundStep(end));
  axis->setLabelFormat(QStringLiteral("%g"));
  axis->setTitleText(title);
  return axis;
}

// A step line through `levels`, each `width` wide from 0.
QChart* StepChart(const std::vector<double>& levels, double width, const QString& title,
                  const QString& x_title, const QString& y_title) {
  auto* line = new QLineSeries;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    line->append(width * static_cast<double>(i), levels[i]);
    line->append(width * static_cast<double>(i + 1), levels[i]);
  }
  auto* chart = new QChart;
  chart->addSeries(line);
  const double top = levels.empty() ? 0 : *std::max_element(levels.begin(), levels.end());
  for (auto [axis, alignment] :
       {std::pair{NewAxis(width * static_cast<double>(levels.size()), x_title), Qt::AlignBottom},
        std::pair{NewAxis(top, y_title), Qt::AlignLeft}}) {
    chart->addAxis(axis, alignment);
    line->attachAxis(axis);
  }
  chart->legend()->hide();
  chart->setTitle(title);
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  return chart;
}

}  // namespace

RunResultsWindow::RunResultsWindow(std::function<void(const std::string&)> open_document,
                                   QWidget* parent)
    : QDialog(parent),
      open_document_(std::move(open_document)),
      text_(new QTextBrowser),
      queue_choice_(new QComboBox),
      wait_note_(new QLabel),
      length_chart_(NewChartView("LengthChart")),
      wait_chart_(NewChartView("WaitChart")),
      links_(new QLabel) {
  setObjectName(QStringLiteral("RunResultsWindow"));
  setWindowTitle(QStringLiteral("Результаты моделирования"));
  text_->setObjectName(QStringLiteral("FiguresText"));
  queue_choice_->setObjectName(QStringLiteral("QueueChoice"));
  wait_note_->setObjectName(QStringLiteral("WaitNote"));
  wait_note_->setWordWrap(true);
  links_->setObjectName(QStringLiteral("RunFileLinks"));
  connect(queue_choice_, &QComboBox::currentIndexChanged, this, &RunResultsWindow::ShowQueue);
  connect(links_, &QLabel::linkActivated, this, &RunResultsWindow::OpenLink);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Side by side, so that the figures above keep most of the height; the user
  // moves the splitter between the two.
  auto* charts = new QHBoxLayout;
  charts->addWidget(length_chart_);
  charts->addWidget(wait_chart_);
  auto* plots = new QWidget;
  auto* plots_layout = new QVBoxLayout(plots);
  plots_layout->setContentsMargins(0, 0, 0, 0);
  plots_layout->addWidget(queue_choice_);
  plots_layout->addWidget(wait_note_);
  plots_layout->addLayout(charts, 1);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(text_);
  splitter->addWidget(plots);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  splitter->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(links_);
  layout->addWidget(splitter, 1);
  layout->addWidget(buttons);
  resize(OpeningSize(*this, QSize(900, 760)));
}

void RunResultsWindow::ShowRun(const ComputeOutcome& outcome, const NumberFormat& format) {
  if (!outcome.figures)
    return;
  figures_ = outcome.figures;
  format_ = format;
  report_path_ = outcome.report_path;
  protocol_path_ = outcome.protocol_path;
  QString links = QStringLiteral("<a href=\"report\">Отчет</a>");
  if (!protocol_path_.empty())
    links += QStringLiteral(" &nbsp; <a href=\"protocol\">Протокол</a>");
  links_->setText(links);
  std::ostringstream section;
  WriteFiguresSection(section, *figures_, format, false);
  text_->setHtml(FromCp1251(section.str()));
  queue_choice_->blockSignals(true);
  queue_choice_->clear();
  for (const QueueFigures& q : figures_->queues) {
    queue_choice_->addItem(QStringLiteral("Очередь ") + QString::number(q.slot) +
                           QStringLiteral(". ") + FromCp1251(q.name));
  }
  queue_choice_->blockSignals(false);
  ShowQueue(0);
  show();
  raise();
  activateWindow();
}

void RunResultsWindow::ShowQueue(int index) {
  if (!figures_ || index < 0 || index >= static_cast<int>(figures_->queues.size())) {
    ReplaceChart(*length_chart_, new QChart);
    ReplaceChart(*wait_chart_, new QChart);
    wait_note_->clear();
    return;
  }
  const QueueFigures& q = figures_->queues[static_cast<std::size_t>(index)];
  ReplaceChart(*length_chart_,
               StepChart(q.mean_lengths, figures_->cell_width,
                         QStringLiteral("Средняя длина очереди во времени"),
                         QStringLiteral("модельное время"), QStringLiteral("длина")));
  const double upper = q.wait_percentiles ? q.wait_percentiles->p99 : 0;
  wait_note_->setText(
      QStringLiteral("Без ожидания — %1 % заявок; гистограмма ожиданий — до 99-го процентиля (%2).")
          .arg(FromCp1251(SignificantText(ZeroPercent(q.waits), format_)),
               FromCp1251(SignificantText(upper, format_))));
  ReplaceChart(*wait_chart_,
               StepChart(HistogramBars(q.waits, upper), upper / kHistogramBars,
                         QStringLiteral("Время ожидания после прогрева"),
                         QStringLiteral("время ожидания"), QStringLiteral("% заявок")));
}

void RunResultsWindow::OpenLink(const QString& link) {
  open_document_(link == QLatin1String("report") ? report_path_ : protocol_path_);
}

}  // namespace qsim::gui
