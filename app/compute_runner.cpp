#include "app/compute_runner.h"

#include <QThread>

#include <exception>
#include <memory>

#include "app/findings_dialog.h"
#include "app/progress_dialog.h"

namespace qsim::gui {
namespace {

// Lets the worker ask the GUI thread for the user's answer and wait for it.
bool ReviewOnGuiThread(FindingsDialog& findings, const ValidationResult& result) {
  bool go_on = false;
  QMetaObject::invokeMethod(
      &findings, [&] { go_on = findings.Review(result); }, Qt::BlockingQueuedConnection);
  return go_on;
}

ComputeOutcome RunOnWorker(std::vector<std::string>& text, ComputeEnvironment& environment,
                           RunProgressDialog& progress) {
  ComputeOutcome outcome;
  std::exception_ptr failure;
  const std::unique_ptr<QThread> worker(QThread::create([&] {
    try {
      outcome = ComputeCommand(text, ComputeMode::Run, environment);
    } catch (...) {
      failure = std::current_exception();
    }
  }));
  progress.Run(*worker, environment.format);
  if (failure)
    std::rethrow_exception(failure);
  return outcome;
}

}  // namespace

ComputeOutcome RunComputeCommand(std::vector<std::string>& text, ComputeMode mode,
                                 ComputeEnvironment& environment, FindingsDialog& findings,
                                 RunProgressDialog& progress) {
  if (mode == ComputeMode::ParseOnly)
    return ComputeCommand(text, mode, environment);
  environment.controls.cancel = progress.cancel_flag();
  environment.controls.progress = [&progress](const RunProgress& where) {
    progress.PostProgress(where);
  };
  environment.review_findings = [&findings](const ValidationResult& result) {
    return ReviewOnGuiThread(findings, result);
  };
  return RunOnWorker(text, environment, progress);
}

}  // namespace qsim::gui
