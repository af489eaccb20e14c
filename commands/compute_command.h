#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/run_controls.h"
#include "engine/simulation.h"
#include "foundation/number_format.h"
#include "foundation/platform.h"
#include "foundation/rgb_image_view.h"
#include "language/model_validation.h"
#include "model/model_store.h"
#include "results/run_figures.h"

namespace qsim {

// What the compute command works with; the shell that runs it owns all of it.
struct ComputeEnvironment {
  ModelStore& store;
  Simulation& simulation;
  Platform& platform;
  NumberFormat format = {};
  std::string model_file_name = {};  // Windows-1251; empty for a model never saved
  std::string reports_folder = {};   // a file system path; made for a run when missing
  std::string file_suffix = {};      // before the extension of the files written ("_2")
  RunControls controls = {};
  // The model's picture for a report that includes it; called after the run.
  // Empty: reports go without a picture.
  std::function<RgbImageView()> picture = {};
  // Shows the model check's findings; returns false to go back to editing. Not
  // called when there is no finding. A blocking finding cancels the run whatever
  // it returns.
  std::function<bool(const ValidationResult&)> review_findings = {};
  // Hears the warning (OverloadWarning) before a run whose queues would grow
  // without bound; returns false to cancel the run. Empty: the run goes on.
  std::function<bool(const std::string& warning)> confirm_overload = {};
};

// What the compute command is asked to do.
enum class ComputeMode {
  ParseOnly,  // read the text into the store and rewrite it, nothing more
  Run,        // read, check, run, report
};

// What one compute command did.
struct ComputeOutcome {
  bool simulated = false;  // a run took place (its outcome says how it ended)
  RunResult run;
  // The figures beyond the report's tables, with their intervals; for a run that
  // finished.
  std::optional<RunFigures> figures;
  std::string protocol_path;  // the protocol written, or empty
  std::string report_path;    // the report written, or empty
  // The file took the place of an earlier one of the same name.
  bool protocol_replaced = false;
  bool report_replaced = false;
};

// The compute command: reads the model text into the store (process_all reset
// first), checks the model when store.settings.check_model is on, runs it, writes
// the report (its tables, then the figures with their intervals) and, when asked,
// the protocol, opens what is to be opened, and
// finally rewrites `text` in canonical form. In ComputeMode::ParseOnly it only
// reads and rewrites the text. A run draws from the series stream of
// settings.accuracy.seed when one is set, and stops once its marked figures reach
// settings.accuracy.precision when one is set. Going back to editing from the
// findings rewrites the text with the check's corrections and runs nothing; so
// does an overload warning that the user declines. A run stopped by its event
// limit or from outside writes its report up to that moment, marked as such; a
// stalled one writes none.
//
// Throws QsimError: a reading error ends the command with the earlier lines
// applied and nothing else done; a reports folder that cannot be made ends it
// before the run, a file that cannot be written ends it there.
ComputeOutcome ComputeCommand(std::vector<std::string>& text, ComputeMode mode,
                              ComputeEnvironment& environment);

}  // namespace qsim
