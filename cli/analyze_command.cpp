#include <QCommandLineParser>

#include <cstdio>
#include <memory>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "engine/random_generator.h"
#include "engine/simulation.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "results/analysis_text.h"
#include "results/run_warnings.h"
#include "results/traffic_analysis.h"

namespace qsim::cli {

// Prints what the traffic equations and queueing theory say of a model, beside the
// values of one run of it (no report is written). A run that does not finish
// leaves the predictions alone, without simulated values.
int AnalyzeCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  parser.addOption({"exact", "Print every digit of the figures, as model files write them."});
  const QStringList files = ParseCommandLine(parser, arguments, 1,
                                             "analyze MODEL.txt [--exact] [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);

  const auto store = ReadModelFile(files[0], format);
  const TrafficAnalysis analysis = AnalyzeTraffic(*store);
  RandomGenerator random;
  Simulation simulation(*store, random);
  RunControls controls;
  controls.max_events = kDefaultMaxEvents;
  const RunResult run = simulation.RunSimulation(nullptr, controls);
  if (run.outcome != RunOutcome::Finished) {
    store->now = 0;  // no simulated values from a run that did not finish
    std::fprintf(stderr, "%s\n", Cp1251ToUtf8(RunOutcomeMessage(run, format)).c_str());
  }
  PrintLines(AnalysisText(*store, analysis, format, parser.isSet("exact")));
  const std::string warning = DurationWarning(*store);
  if (!warning.empty())
    std::fprintf(stderr, "%s\n", Cp1251ToUtf8(warning).c_str());
  return kExitOk;
}

}  // namespace qsim::cli
