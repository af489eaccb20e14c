#include <QCommandLineParser>

#include <memory>
#include <string>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "engine/random_generator.h"
#include "engine/simulation.h"
#include "foundation/qsim_error.h"
#include "language/model_validation.h"
#include "results/analysis_text.h"
#include "results/run_warnings.h"
#include "results/traffic_analysis.h"

namespace qsim::cli {

// Prints what the traffic equations and queueing theory say of a model, beside the
// values of one run of it (no report is written). The model is the one a run
// would simulate: the check's findings, corrections included, go to standard error
// first, and a finding that blocks a run ends the command with kExitBlocked. A run
// that does not finish (--max-events, a stall) leaves the predictions alone,
// without simulated values, and the command says why and fails.
int AnalyzeCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  AddMaxEventsOption(parser);
  parser.addOption({"exact", "Print every digit of the figures, as model files write them."});
  const QStringList files =
      ParseCommandLine(parser, arguments, 1,
                       "analyze MODEL.txt [--exact] [--max-events N] [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);

  const auto store = ReadModelFile(files[0], format);
  const ValidationResult check = ValidateModel(*store, format);
  PrintErrorLines(check.findings);
  if (check.blocking)
    return kExitBlocked;
  const TrafficAnalysis analysis = AnalyzeTraffic(*store);
  RandomGenerator random;
  Simulation simulation(*store, random);
  RunControls controls;
  controls.max_events = MaxEventsFrom(parser);
  const RunResult run = simulation.RunSimulation(nullptr, controls);
  if (run.outcome != RunOutcome::Finished)
    store->now = 0;  // no simulated values from a run that did not finish
  PrintLines(AnalysisText(*store, analysis, format, parser.isSet("exact")));
  if (run.outcome != RunOutcome::Finished)
    throw QsimError(RunOutcomeMessage(run, format, ReportOfRun::None));
  const std::string warning = DurationWarning(*store);
  if (!warning.empty())
    PrintErrorLines({warning});
  return kExitOk;
}

}  // namespace qsim::cli
