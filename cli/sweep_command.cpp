#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/sweep_arguments.h"
#include "commands/parallel_series.h"

namespace qsim::cli {

// Runs a model for a series of values of one parameter, or as it is, with
// replications, on every core, and writes a table of the main statistics per
// value as CSV (to --csv, or standard output); with --shard only the part of
// one shard, for merge.
int SweepCommand(const QStringList& arguments) {
  const SweepArguments sweep = ParseSweepArguments(arguments);
  const auto store = ReadModelFile(sweep.model_path, sweep.format);
  SeriesOptions options;
  options.jobs = sweep.jobs;
  options.shard = sweep.shard.value_or(SeriesShard{});
  WriteSweepResults(sweep, *store, RunSeriesShard(*store, sweep.series, sweep.format, options));
  return kExitOk;
}

}  // namespace qsim::cli
