#pragma once

#include <string>
#include <vector>

#include "commands/compute_command.h"

namespace qsim::gui {

class RunProgressDialog;
class FindingsDialog;

// Runs the core's compute command for the main window. In ComputeMode::ParseOnly
// it only reads and rewrites the text, on the calling thread. Otherwise the command
// runs on a worker thread while `progress` blocks the main window: the findings
// of the model check are shown in `findings` on the GUI thread, then the warning of
// an overload with the choice to go on, and the run can be stopped from `progress`. Errors reach the caller as the core throws them.
//
// REQUIRES: called on the GUI thread; nothing touches the store of `environment`
// until it returns.
ComputeOutcome RunComputeCommand(std::vector<std::string>& text, ComputeMode mode,
                                 ComputeEnvironment& environment, FindingsDialog& findings,
                                 RunProgressDialog& progress);

}  // namespace qsim::gui
