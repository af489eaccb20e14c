#include "app/compute_runner.h"

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

}  // namespace

ComputeOutcome RunComputeCommand(std::vector<std::string>& text, ComputeMode mode,
                                 ComputeEnvironment& environment, FindingsDialog& findings,
                                 RunProgressDialog& progress) {
  if (mode == ComputeMode::ParseOnly)
    return ComputeCommand(text, mode, environment);
  environment.review_findings = [&findings](const ValidationResult& result) {
    return ReviewOnGuiThread(findings, result);
  };
  ComputeOutcome outcome;
  progress.RunOnWorker([&] { outcome = ComputeCommand(text, ComputeMode::Run, environment); },
                       environment.controls, environment.format);
  return outcome;
}

}  // namespace qsim::gui
