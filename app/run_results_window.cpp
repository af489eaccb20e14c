#include "app/run_results_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineSeries>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <sstream>

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
  view->setMinimumHeight(220);
  return view;
}

// A step line through `levels`, each `width` wide from 0.
QChart* StepChart(const std::vector<double>& levels, double width, const QString& title) {
  auto* line = new QLineSeries;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    line->append(width * static_cast<double>(i), levels[i]);
    line->append(width * static_cast<double>(i + 1), levels[i]);
  }
  auto* chart = new QChart;
  chart->addSeries(line);
  chart->createDefaultAxes();
  chart->legend()->hide();
  chart->setTitle(title);
  return chart;
}

}  // namespace

RunResultsWindow::RunResultsWindow(std::function<void(const std::string&)> open_document,
                                   QWidget* parent)
    : QDialog(parent),
      open_document_(std::move(open_document)),
      text_(new QTextBrowser),
      queue_choice_(new QComboBox),
      length_chart_(NewChartView("LengthChart")),
      wait_chart_(NewChartView("WaitChart")),
      links_(new QLabel) {
  setObjectName(QStringLiteral("RunResultsWindow"));
  setWindowTitle(QStringLiteral("Результаты моделирования"));
  text_->setObjectName(QStringLiteral("FiguresText"));
  queue_choice_->setObjectName(QStringLiteral("QueueChoice"));
  links_->setObjectName(QStringLiteral("RunFileLinks"));
  connect(queue_choice_, &QComboBox::currentIndexChanged, this, &RunResultsWindow::ShowQueue);
  connect(links_, &QLabel::linkActivated, this, &RunResultsWindow::OpenLink);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(links_);
  layout->addWidget(text_, 2);
  layout->addWidget(queue_choice_);
  layout->addWidget(length_chart_, 1);
  layout->addWidget(wait_chart_, 1);
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
    return;
  }
  const QueueFigures& q = figures_->queues[static_cast<std::size_t>(index)];
  ReplaceChart(*length_chart_, StepChart(q.mean_lengths, figures_->cell_width,
                                         QStringLiteral("Средняя длина очереди во времени")));
  const double upper = q.wait_percentiles ? q.wait_percentiles->p99 : 0;
  ReplaceChart(*wait_chart_, StepChart(HistogramBars(q.waits, upper), upper / kHistogramBars,
                                       QStringLiteral("Время ожидания после прогрева (до 99 %)")));
}

void RunResultsWindow::OpenLink(const QString& link) {
  open_document_(link == QLatin1String("report") ? report_path_ : protocol_path_);
}

}  // namespace qsim::gui
