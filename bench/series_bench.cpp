// A series of 10 points x 4 replications of a model whose runs take about half a
// second each: on threads of one process (--jobs), and over MPI ranks. The time is
// wall-clock time, what a user waits; compare the two job counts, and the two
// rank counts, of one run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "bench/bench_models.h"
#include "commands/parallel_series.h"
#include "language/model_text_reader.h"

namespace qsim {
namespace {

constexpr int kRequests = 2'000'000;  // about half a second a run
const NumberFormat kPoint{'.'};
const SeriesDefinition kSeries{SweepRange{{ElementKind::Queue, 1, SweepField::Length}, 1, 10, 10},
                               4, 0};

void BM_SeriesOnThreads(benchmark::State& state) {
  auto store = std::make_unique<ModelStore>();
  std::vector<std::string> text = bench::SingleDeviceModel(kRequests);
  ReadModelText(text, *store, kPoint);
  SeriesOptions options;
  options.jobs = static_cast<int>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(RunSeries(*store, kSeries, kPoint, options));
}
BENCHMARK(BM_SeriesOnThreads)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

#ifdef QSIM_MPI_PATH
// The same series through `mpirun -np N qsim-mpi sweep`, one thread per rank.
void BM_SeriesOverMpiRanks(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "qsim_series_bench";
  std::filesystem::create_directories(folder);
  std::ofstream model(folder / "model.txt");
  for (const std::string& line : bench::SingleDeviceModel(kRequests))
    model << line << "\n";
  model.close();
  const std::string command =
      "mpirun --allow-run-as-root --oversubscribe -np " + std::to_string(state.range(0)) +
      " '" QSIM_MPI_PATH "' sweep --decimal-separator . '" + (folder / "model.txt").string() +
      "' --param queue:1:len --from 1 --to 10 --steps 10 --replications 4 --csv '" +
      (folder / "series.csv").string() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0)
      state.SkipWithError("mpirun failed");
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SeriesOverMpiRanks)
    ->ArgName("ranks")
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);
#endif

}  // namespace
}  // namespace qsim
