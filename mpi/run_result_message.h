#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "commands/series_run.h"

namespace qsim::mpi {

// Results of runs as the bytes of one message between ranks, bit for bit.
using RunResults = std::vector<std::pair<std::int64_t, SeriesRunResult>>;

std::string PackRunResults(const RunResults& results);
// REQUIRES: `bytes` came from PackRunResults.
RunResults UnpackRunResults(const std::string& bytes);

}  // namespace qsim::mpi
