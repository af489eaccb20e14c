#pragma once

#include <optional>
#include <vector>

#include "cli/sweep_arguments.h"
#include "commands/series_run.h"
#include "model/model_store.h"

namespace qsim::mpi {

// Runs the series of `sweep` (its shard, if one is given) over every rank of
// MPI_COMM_WORLD. Rank 0 hands out the runs one at a time, in ascending order, to
// whichever rank asks (a slow run holds up no other), runs some on its own
// threads meanwhile, and returns every result by run; the other ranks return
// none. Every rank runs `sweep.jobs` threads (at least one).
//
// REQUIRES: every rank calls this with the same arguments and model; MPI was
// initialised with at least MPI_THREAD_SERIALIZED.
std::optional<std::vector<std::optional<SeriesRunResult>>> RunMpiSweep(
    const cli::SweepArguments& sweep, const ModelStore& model);

}  // namespace qsim::mpi
