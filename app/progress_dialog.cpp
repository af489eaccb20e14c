#include "app/progress_dialog.h"

#include <QEventLoop>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <memory>

#include "app/gui_text.h"
#include "app/window_size.h"
#include "foundation/code_page.h"
#include "foundation/display_number.h"

namespace qsim::gui {
namespace {

// Runs that end sooner show no window at all.
constexpr int kShowDelayMs = 400;

}  // namespace

RunProgressDialog::RunProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      goal_(new QLabel(this)),
      precision_(new QLabel(this)),
      series_(new QLabel(this)),
      events_(new QLabel(this)),
      requests_(new QLabel(this)),
      model_time_(new QLabel(this)),
      cancel_button_(new QPushButton(QStringLiteral("Прервать"), this)) {
  setObjectName(QStringLiteral("RunProgressDialog"));
  setWindowTitle(QStringLiteral("Моделирование"));
  goal_->setObjectName(QStringLiteral("GoalLabel"));
  series_->setObjectName(QStringLiteral("SeriesLabel"));
  precision_->setObjectName(QStringLiteral("PrecisionLabel"));
  // Room for long figures, so that the window does not grow as the run goes on.
  goal_->setMinimumWidth(goal_->fontMetrics().horizontalAdvance(
      QStringLiteral("Время: 000 000 000,0 из 000 000 000 (100 %)")));
  events_->setObjectName(QStringLiteral("EventsLabel"));
  requests_->setObjectName(QStringLiteral("RequestsLabel"));
  model_time_->setObjectName(QStringLiteral("ModelTimeLabel"));
  cancel_button_->setObjectName(QStringLiteral("CancelButton"));
  connect(cancel_button_, &QPushButton::clicked, this, &RunProgressDialog::reject);
  auto* figures = new QFormLayout;
  figures->addRow(QStringLiteral("Обработано событий:"), events_);
  figures->addRow(QStringLiteral("Создано заявок:"), requests_);
  figures->addRow(QStringLiteral("Модельное время:"), model_time_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(series_);
  layout->addWidget(goal_);
  layout->addWidget(precision_);
  layout->addLayout(figures);
  layout->addWidget(cancel_button_, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RunProgressDialog::showEvent(QShowEvent* event) {
  adjustSize();
  CentreOverOwner(*this);
  QDialog::showEvent(event);
}

void RunProgressDialog::RunOnWorker(const std::function<void()>& work, RunControls& controls,
                                    const NumberFormat& format) {
  controls.cancel = &cancel_;
  event_limit_ = EventLimit(controls);
  controls.progress = [this](const RunProgress& where) { PostProgress(where); };
  std::exception_ptr failure;
  const std::unique_ptr<QThread> worker(QThread::create([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  }));
  ShowWhileRunning(*worker, format);
  if (failure)
    std::rethrow_exception(failure);
}

void RunProgressDialog::ShowWhileRunning(QThread& worker, const NumberFormat& format) {
  format_ = format;
  cancel_ = false;
  worker_finished_ = false;
  cancel_button_->setEnabled(true);
  cancel_button_->setText(QStringLiteral("Прервать"));
  ShowProgress({});
  // Until the run first reports, its goal is not known here; a series shows its
  // place once its first run has ended.
  goal_->clear();
  series_->clear();
  series_->hide();
  // Queued calls to a receiver that is gone are dropped, so a late finish
  // notice cannot close the window of a later run.
  QObject this_run;
  connect(&worker, &QThread::finished, &this_run, [this] {
    worker_finished_ = true;
    if (isVisible())
      done(QDialog::Accepted);
  });
  worker.start();
  WaitBeforeShowing(worker);
  if (!worker_finished_)
    exec();
  worker.wait();
}

void RunProgressDialog::WaitBeforeShowing(QThread& worker) {
  QEventLoop waiting;
  connect(&worker, &QThread::finished, &waiting, &QEventLoop::quit);
  QTimer::singleShot(kShowDelayMs, &waiting, &QEventLoop::quit);
  waiting.exec(QEventLoop::ExcludeUserInputEvents);
}

void RunProgressDialog::PostProgress(const RunProgress& progress) {
  QMetaObject::invokeMethod(
      this, [this, progress] { ShowProgress(progress); }, Qt::QueuedConnection);
}

void RunProgressDialog::PostSeriesProgress(const SeriesProgress& progress) {
  // Runs of later points may end before the point in hand is complete; the
  // point shown is the first one not yet complete, with its runs done.
  const std::int64_t replications = progress.points > 0 ? progress.runs / progress.points : 0;
  const std::int64_t point = std::min(progress.points_done + 1, progress.points);
  const std::int64_t runs =
      std::clamp<std::int64_t>(progress.runs_done - (point - 1) * replications, 0, replications);
  const QString text = FromCp1251(SeriesPlaceText({.point = int(point),
                                                   .points = int(progress.points),
                                                   .run = int(runs),
                                                   .runs = int(replications)}));
  QMetaObject::invokeMethod(
      this,
      [this, text] {
        series_->setText(text);
        series_->setVisible(!text.isEmpty());
      },
      Qt::QueuedConnection);
}

void RunProgressDialog::ShowProgress(const RunProgress& progress) {
  goal_->setText(FromCp1251(RunProgressText(progress, format_)));
  events_->setText(FromCp1251(GroupedInteger(progress.events) + std::string(" из "_cp) +
                              GroupedInteger(event_limit_)));
  requests_->setText(FromCp1251(GroupedInteger(progress.generated)));
  model_time_->setText(FromCp1251(ShortNumberText(progress.now, format_)));
  const QString precision = FromCp1251(PrecisionProgressText(progress, format_));
  precision_->setText(precision);
  precision_->setVisible(!precision.isEmpty());
}

void RunProgressDialog::reject() {
  cancel_ = true;
  cancel_button_->setEnabled(false);
  cancel_button_->setText(QStringLiteral("Остановка..."));
}

}  // namespace qsim::gui
