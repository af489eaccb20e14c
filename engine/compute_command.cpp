#include "engine/compute_command.h"

#include <optional>

#include "language/model_text_reader.h"
#include "language/model_text_writer.h"
#include "results/protocol_writer.h"
#include "results/report_writer.h"

namespace qsim {
namespace {

// Clears the flag when the command ends, also by an error.
class ClearOnExit {
 public:
  explicit ClearOnExit(bool& flag) : flag_(flag) {}
  ~ClearOnExit() { flag_ = false; }
  ClearOnExit(const ClearOnExit&) = delete;
  ClearOnExit& operator=(const ClearOnExit&) = delete;

 private:
  bool& flag_;
};

// True when the user goes on to the run.
bool PassesCheck(ComputeEnvironment& env) {
  const ValidationResult result = ValidateModel(env.store, env.format);
  if (result.findings.empty())
    return true;
  const bool go_on = env.review_findings ? env.review_findings(result) : false;
  return go_on && !result.blocking;
}

void Simulate(ComputeEnvironment& env, ComputeOutcome& outcome) {
  const RunSettings& settings = env.store.settings;
  std::optional<ProtocolFile> protocol;
  if (settings.protocol_enabled) {
    protocol.emplace(env.reports_folder, settings, env.platform, env.model_file_name, env.format,
                     env.file_suffix);
  }
  outcome.run = env.simulation.RunSimulation(protocol ? &*protocol : nullptr, env.controls);
  outcome.simulated = true;
  if (protocol)
    outcome.protocol_path = protocol->path();
  if (outcome.run.outcome != RunOutcome::Finished)
    return;
  std::optional<RgbImageView> picture;
  if (settings.report_include_picture && env.picture)
    picture = env.picture();
  outcome.report_path =
      WriteReportFile(env.reports_folder, env.store, env.model_file_name, env.platform, env.format,
                      env.file_suffix, picture ? &*picture : nullptr);
  if (settings.report_open_after)
    env.platform.OpenDocument(outcome.report_path);
  if (settings.protocol_open_after && !outcome.protocol_path.empty()) {
    env.platform.OpenDocument(outcome.protocol_path);
  }
}

}  // namespace

ComputeOutcome Button1Click(std::vector<std::string>& text, bool& parse_only,
                            ComputeEnvironment& env) {
  const ClearOnExit clear_parse_only(parse_only);
  ComputeOutcome outcome;
  env.store.settings.process_all = false;
  ReadModelText(text, env.store, env.format);
  if (!parse_only && env.store.settings.check_model && !PassesCheck(env))
    parse_only = true;
  if (!parse_only)
    Simulate(env, outcome);
  text = WriteModelText(env.store, env.format);
  return outcome;
}

}  // namespace qsim
