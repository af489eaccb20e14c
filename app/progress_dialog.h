#pragma once

#include <QDialog>

#include <atomic>

#include "engine/run_controls.h"
#include "foundation/number_format.h"

class QLabel;
class QPushButton;
class QThread;

namespace qsim::gui {

// The window that blocks the main window while a simulation runs on a worker
// thread: events taken, requests generated, model time, and a button that stops
// the run. Closing the window any other way also asks the run to stop; the window
// stays until the worker has ended.
class RunProgressDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RunProgressDialog(QWidget* parent);

  // Starts `worker` and returns once it has finished. Short runs end before the
  // window appears; until it does, user input waits, so nothing reaches the main
  // window meanwhile. The cancel flag is cleared first and raised by the button.
  void Run(QThread& worker, const NumberFormat& format);

  // The flag the run checks; raised when the user stops the run.
  const std::atomic<bool>* cancel_flag() const { return &cancel_; }

  // Shows where the run stands. Thread-safe: posts to the dialog's thread.
  void PostProgress(const RunProgress& progress);

 public Q_SLOTS:
  void reject() override;

 private:
  void ShowProgress(const RunProgress& progress);
  void WaitBeforeShowing(QThread& worker);

  QLabel* events_;
  QLabel* requests_;
  QLabel* model_time_;
  QPushButton* cancel_button_;
  NumberFormat format_;
  std::atomic<bool> cancel_{false};
  bool worker_finished_ = false;
};

}  // namespace qsim::gui
