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

// The controls of a run that feeds `statistics` and, when a precision is asked,
// stops on the word of `judge`; the progress then carries the worst figure.
RunControls WatchedControls(const ComputeEnvironment& env, RunStatistics& statistics,
                            PrecisionJudge& judge) {
  RunControls controls = env.controls;
  controls.statistics = &statistics;
  if (!(env.store.settings.accuracy.precision > 0))
    return controls;
  controls.precise_enough = [&judge] { return judge(); };
  if (controls.progress) {
    controls.progress = [&judge, inner = controls.progress](const RunProgress& progress) {
      RunProgress shown = progress;
      shown.precision = judge.precision();
      shown.worst_relative_half_width = judge.worst();
      inner(shown);
    };
  }
  return controls;
}

RunResult RunWatched(ComputeEnvironment& env, EventObserver* protocol, RunStatistics& statistics) {
  PrecisionJudge judge(statistics, env.store, env.store.settings.accuracy);
  const RunControls controls = WatchedControls(env, statistics, judge);
  const std::optional<std::uint32_t> seed = env.store.settings.accuracy.seed;
  return seed ? env.simulation.RunSeeded(*seed, protocol, controls)
              : env.simulation.RunSimulation(protocol, controls);
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
  RunStatistics statistics;
  outcome.run = RunWatched(env, protocol ? &*protocol : nullptr, statistics);
  outcome.simulated = true;
  if (protocol) {
    outcome.protocol_path = protocol->path();
    outcome.protocol_replaced = protocol->replaced();
  }
  if (!HasReport(outcome.run.outcome))
    return;
  outcome.figures = ComputeRunFigures(statistics, env.store, outcome.run, settings.accuracy);
  ReportAdditions additions{.figures = &*outcome.figures};
  if (outcome.run.outcome != RunOutcome::Finished)
    additions.interrupted_at = outcome.run.now;
  std::optional<RgbImageView> picture;
  if (settings.report_include_picture && env.picture)
    picture = env.picture();
  // Again: during a long run the folder may have been deleted.
  MakeReportsFolder(env.reports_folder);
  const WrittenFile report =
      WriteReportFile(env.reports_folder, env.store, env.model_file_name, env.platform, env.format,
                      env.file_suffix, picture ? &*picture : nullptr, additions);
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
  const bool run = mode == ComputeMode::Run &&
                   (!env.store.settings.check_model || PassesCheck(env)) && PassesOverload(env);
  if (run)
    Simulate(env, outcome);
  text = WriteModelText(env.store, env.format);
  return outcome;
}

}  // namespace qsim
