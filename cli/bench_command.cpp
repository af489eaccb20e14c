#include <QCommandLineParser>

#include <chrono>
#include <cstdio>
#include <memory>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "engine/simulation.h"
#include "foundation/qsim_error.h"

namespace qsim::cli {

// Measures the engine on a model file: runs it --runs times without protocol or
// report, each from a fresh random sequence, and prints the events per second. A
// run that does not finish (--max-events, a stall) measures no model: it is named
// with its outcome, and the command fails after the other runs.
int BenchCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  AddMaxEventsOption(parser);
  parser.addOption({"runs", "Number of measured runs (default 3).", "N"});
  const QStringList files =
      ParseCommandLine(parser, arguments, 1,
                       "bench MODEL.txt [--runs N] [--max-events N] [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);
  bool ok = true;
  const int runs = parser.isSet("runs") ? parser.value("runs").toInt(&ok) : 3;
  if (!ok || runs < 1)
    throw UsageError{"--runs needs a positive whole number"};
  RunControls controls;
  controls.max_events = MaxEventsFrom(parser);

  const auto store = ReadModelFile(files[0], format);
  std::string unfinished;
  for (int run = 1; run <= runs; ++run) {
    RandomGenerator random;
    Simulation simulation(*store, random);
    const auto start = std::chrono::steady_clock::now();
    const RunResult result = simulation.RunSimulation(nullptr, controls);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf(
        "run %d: %lld events, %d requests, model time %.6g, %.3f s, %.2f million events/s%s\n", run,
        static_cast<long long>(result.events), store->generated, store->now, seconds.count(),
        static_cast<double>(result.events) / seconds.count() / 1e6,
        result.outcome == RunOutcome::Finished ? "" : ", not finished");
    if (result.outcome != RunOutcome::Finished && unfinished.empty())
      unfinished = RunOutcomeMessage(result, format, ReportOfRun::None);
  }
  if (!unfinished.empty())
    throw QsimError(unfinished);
  return kExitOk;
}

}  // namespace qsim::cli
