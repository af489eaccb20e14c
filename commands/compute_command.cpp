#include "commands/compute_command.h"

#include <optional>

#include "foundation/install_layout.h"
#include "language/model_text_reader.h"
#include "language/model_text_writer.h"
#include "results/protocol_writer.h"
#include "results/report_writer.h"
#include "results/run_warnings.h"
#include "results/traffic_analysis.h"

namespace qsim {
namespace {

// True when the user goes on to the run.
bool PassesCheck(ComputeEnvironment& env) {
  const ValidationResult result = ValidateModel(env.store, env.format);
  if (result.findings.empty())
    return true;
  const bool go_on = env.review_findings ? env.review_findings(result) : false;
  return go_on && !result.blocking;
}

// True when no queue is to grow without bound, or the user runs the model all the same.
bool PassesOverload(ComputeEnvironment& env) {
  const std::string warning = OverloadWarning(env.store, AnalyzeTraffic(env.store), env.format);
  return warning.empty() || !env.confirm_overload || env.confirm_overload(warning);
}

void Simulate(ComputeEnvironment& env, ComputeOutcome& outcome) {
  const RunSettings& settings = env.store.settings;
  // Before the run, so that a folder that cannot be made costs no run.
  MakeReportsFolder(env.reports_folder);
  std::optional<ProtocolFile> protocol;
  if (settings.protocol_enabled) {
    protocol.emplace(env.reports_folder, settings, env.platform, env.model_file_name, env.format,
                     env.file_suffix);
  }
  outcome.run = env.simulation.RunSimulation(protocol ? &*protocol : nullptr, env.controls);
  outcome.simulated = true;
  if (protocol) {
    outcome.protocol_path = protocol->path();
    outcome.protocol_replaced = protocol->replaced();
  }
  if (!HasReport(outcome.run.outcome))
    return;
  std::optional<double> interrupted_at;
  if (outcome.run.outcome != RunOutcome::Finished)
    interrupted_at = outcome.run.now;
  std::optional<RgbImageView> picture;
  if (settings.report_include_picture && env.picture)
    picture = env.picture();
  // Again: during a long run the folder may have been deleted.
  MakeReportsFolder(env.reports_folder);
  const WrittenFile report =
      WriteReportFile(env.reports_folder, env.store, env.model_file_name, env.platform, env.format,
                      env.file_suffix, picture ? &*picture : nullptr, interrupted_at);
  outcome.report_path = report.path;
  outcome.report_replaced = report.replaced;
  if (settings.report_open_after)
    env.platform.OpenDocument(outcome.report_path);
  if (settings.protocol_open_after && !outcome.protocol_path.empty()) {
    env.platform.OpenDocument(outcome.protocol_path);
  }
}

}  // namespace

ComputeOutcome ComputeCommand(std::vector<std::string>& text, ComputeMode mode,
                              ComputeEnvironment& env) {
  ComputeOutcome outcome;
  env.store.settings.process_all = false;
  ReadModelText(text, env.store, env.format);
  const bool run =
      mode == ComputeMode::Run && (!env.store.settings.check_model || PassesCheck(env)) &&
      PassesOverload(env);
  if (run)
    Simulate(env, outcome);
  text = WriteModelText(env.store, env.format);
  return outcome;
}

}  // namespace qsim
