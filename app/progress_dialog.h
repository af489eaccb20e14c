#pragma once

#include <QDialog>

#include <atomic>
#include <functional>

#include "commands/parallel_series.h"
#include "engine/run_controls.h"
#include "foundation/number_format.h"

class QLabel;
class QPushButton;
class QThread;

namespace qsim::gui {

// The window that blocks the main window while a simulation runs on a worker
// thread: how far the run is toward its goal (`GoalLabel`), its place in a series
// of runs (`SeriesLabel`, hidden outside one), the worst relative half-width of a
// run that stops at a precision (`PrecisionLabel`, hidden otherwise), events taken
// out of the event limit at which a run stops, requests generated, model time, and
// a button that stops the run. Figures are grouped by thousands, model time has 4
// significant digits. Closing the window any other way also asks the run to stop;
// the window stays until the worker has ended.
class RunProgressDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RunProgressDialog(QWidget* parent);

  // Runs `work` on a worker thread and returns once it has finished; what `work`
  // threw is thrown again here. `controls` are first pointed at this window, so a
  // run with them checks the stop button and shows its progress here. Short runs
  // end before the window appears; until it does, user input waits, so nothing
  // reaches the main window meanwhile.
  //
  // REQUIRES: called on the GUI thread.
  void RunOnWorker(const std::function<void()>& work, RunControls& controls,
                   const NumberFormat& format);

  // Shows how far a series has come, as the point in hand and its runs done.
  // Thread-safe: posts to the dialog's thread.
  void PostSeriesProgress(const SeriesProgress& progress);

 public Q_SLOTS:
  void reject() override;

 protected:
  // Over the main window at every scale, rather than where the window system puts it.
  void showEvent(QShowEvent* event) override;

 private:
  // Starts `worker` and returns once it has finished. The cancel flag is cleared
  // first and raised by the button.
  void ShowWhileRunning(QThread& worker, const NumberFormat& format);
  // Thread-safe: posts to the dialog's thread.
  void PostProgress(const RunProgress& progress);
  void ShowProgress(const RunProgress& progress);
  void WaitBeforeShowing(QThread& worker);

  QLabel* goal_;
  QLabel* precision_;
  QLabel* series_;
  QLabel* events_;
  QLabel* requests_;
  QLabel* model_time_;
  QPushButton* cancel_button_;
  NumberFormat format_;
  std::int64_t event_limit_ = 0;  // of the run in hand
  std::atomic<bool> cancel_{false};
  bool worker_finished_ = false;
};

}  // namespace qsim::gui
