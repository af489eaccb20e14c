#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

#include "commands/parallel_series.h"
#include "commands/series_run.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim::cli {

// What `sweep` is asked to do, read alike by qsim-cli and qsim-mpi.
struct SweepArguments {
  QString model_path;
  NumberFormat format;
  SeriesDefinition series;
  int jobs = 0;                      // 0: one thread per core
  std::optional<SeriesShard> shard;  // write the part of this shard only
  std::optional<std::string> csv_path;
  int rank_timeout_seconds = 0;  // qsim-mpi: give up on a rank silent this long; 0: never
};

// Parses `arguments` (program name and "sweep" first); `cluster` adds the options
// of qsim-mpi (--rank-timeout). Throws UsageError, and QsimError for a bound that
// does not convert.
SweepArguments ParseSweepArguments(const QStringList& arguments, bool cluster = false);

// Writes what the runs of the series gave (indexed by run; none for runs not
// done) to --csv or standard output: the part of the shard, or the table of the
// whole series. Throws QsimError for the first run that failed, before anything
// is written, and, after writing what was done, for the first run that stopped.
void WriteSweepResults(const SweepArguments& arguments, const ModelStore& model,
                       const std::vector<std::optional<SeriesRunResult>>& results);

// Writes `bytes` as the file at `path` (file system encoding), whole or not at
// all, or to standard output without a path (which main checks). Throws QsimError.
void WriteOutput(const std::optional<std::string>& path, const std::string& bytes);

}  // namespace qsim::cli
