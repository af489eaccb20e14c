#include "app/compute_runner.h"

#include "app/findings_dialog.h"
#include "app/gui_text.h"
#include "app/overload_question.h"
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

bool ConfirmOverloadOnGuiThread(QWidget* parent, const std::string& warning) {
  bool go_on = false;
  QMetaObject::invokeMethod(
      parent, [&] { go_on = MayRunOverloaded(parent, FromCp1251(warning)); },
      Qt::BlockingQueuedConnection);
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
  environment.confirm_overload = [parent = findings.parentWidget()](const std::string& warning) {
    return ConfirmOverloadOnGuiThread(parent, warning);
  };
  ComputeOutcome outcome;
  progress.RunOnWorker([&] { outcome = ComputeCommand(text, ComputeMode::Run, environment); },
                       environment.controls, environment.format);
  return outcome;
}

}  // namespace qsim::gui
