#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/random_generator.h"
#include "engine/simulation.h"
#include "language/model_text_reader.h"
#include "results/report_statistics.h"
#include "results/traffic_analysis.h"

namespace qsim::bench {
namespace {

// An M/M/1/6 line (rho 0.8, five places) of `requests` requests, both laws 5.
std::vector<std::string> MM1K(int requests) {
  return {
      "generator 1;", "la 1;",       "rasp 5;",       "transfer 1;",
      "1 queue 1;",   "queue 1;",    "len 5;",        "transfer 1;",
      "1 device 1;",  "device 1;",   "k 1;",          "v 0.8;",
      "rasp 5;",      "transfer 1;", "1 terminator;", "simulate " + std::to_string(requests) + ";"};
}

// One long run against the M/M/c/K formulas: the counters give the relative
// error of the simulated mean wait and refusal probability, the tighter figure
// that the unit test's short replications cannot reach.
void BM_LongRunAgainstTheFormulas(benchmark::State& state) {
  auto store = std::make_unique<ModelStore>();
  std::vector<std::string> text = MM1K(static_cast<int>(state.range(0)));
  ReadModelText(text, *store, NumberFormat{'.'});
  const QueuePrediction theory = *AnalyzeTraffic(*store).devices.at(0).prediction;
  RandomGenerator random;
  Simulation simulation(*store, random);
  for (auto _ : state)
    benchmark::DoNotOptimize(simulation.RunSimulation(nullptr).events);
  const QueueRecord& q = store->queue(1);
  const double refused = static_cast<double>(q.stats.refusals) / (q.stats.entries + q.stats.refusals);
  state.counters["wait_error"] = *MeanWait(q) / theory.mean_wait - 1;
  state.counters["refusal_error"] = refused / theory.refusal_probability - 1;
}
BENCHMARK(BM_LongRunAgainstTheFormulas)
    ->Arg(2'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace qsim::bench
