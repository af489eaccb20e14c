#pragma once

#include <optional>
#include <vector>

#include "cli/sweep_arguments.h"
#include "commands/series_run.h"
#include "foundation/qsim_error.h"
#include "model/model_store.h"

namespace qsim::mpi {

// Rank 0 heard nothing from a rank for longer than --rank-timeout. The other ranks
// still wait, so the program ends them all (MPI_Abort) once it has said why.
class RankTimeout : public QsimError {
 public:
  RankTimeout(int rank, int seconds);
};

// Runs the series of `sweep` (its shard, if one is given) over every rank of
// MPI_COMM_WORLD. Rank 0 hands out the runs one at a time, in ascending order, to
// whichever rank asks (a slow run holds up no other), runs some on its own
// threads meanwhile, and returns every result by run; the other ranks return
// none. Every rank runs `sweep.jobs` threads (at least one). With
// sweep.rank_timeout_seconds, rank 0 throws RankTimeout when a rank that has not
// finished sends nothing for that long (it stopped, or one of its runs takes
// longer).
//
// REQUIRES: every rank calls this with the same arguments and model; MPI was
// initialised with at least MPI_THREAD_SERIALIZED.
std::optional<std::vector<std::optional<SeriesRunResult>>> RunMpiSweep(
    const cli::SweepArguments& sweep, const ModelStore& model);

}  // namespace qsim::mpi
