#include <QCommandLineParser>

#include <chrono>
#include <cstdio>
#include <memory>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "engine/simulation.h"

namespace qsim::cli {

// Measures the engine on a model file: runs it --runs times without protocol or
// report, each from a fresh random sequence, and prints the events per second.
int BenchCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  parser.addOption({"runs", "Number of measured runs (default 3).", "N"});
  const QStringList files = ParseCommandLine(
      parser, arguments, 1, "bench MODEL.txt [--runs N] [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);
  bool ok = true;
  const int runs = parser.isSet("runs") ? parser.value("runs").toInt(&ok) : 3;
  if (!ok || runs < 1)
    throw UsageError{"--runs needs a positive whole number"};

  const auto store = ReadModelFile(files[0], format);
  for (int run = 1; run <= runs; ++run) {
    RandomGenerator random;
    Simulation simulation(*store, random);
    const auto start = std::chrono::steady_clock::now();
    const RunResult result = simulation.RunSimulation(nullptr);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf(
        "run %d: %lld events, %d requests, model time %.6g, %.3f s, %.2f million events/s\n", run,
        static_cast<long long>(result.events), store->generated, store->now, seconds.count(),
        static_cast<double>(result.events) / seconds.count() / 1e6);
  }
  return kExitOk;
}

}  // namespace qsim::cli
