#include <benchmark/benchmark.h>

#include <cmath>

#include "tests/support/watched_runs.h"

// The statistical claims of the figures beyond the report, over many independent
// runs (the series streams of seeds 1, 2, ...): the counters are the measured
// figures. Exact values of M/M/1 with arrival rate 1 and mean service rho: mean
// queue length and mean wait rho^2 / (1 - rho); P(wait > t) = rho e^{-(1/rho - 1) t}.
namespace qsim::bench {
namespace {

using test_support::Covers;
using test_support::MM1Text;
using test_support::WatchedRun;

// 200 runs of 50,000 requests at load 0.8: how often the 95 % intervals of the
// mean queue length and the mean wait hold the exact 3.2.
void BM_IntervalCoverage(benchmark::State& state) {
  const int runs = static_cast<int>(state.range(0));
  int length_hits = 0;
  int wait_hits = 0;
  for (auto _ : state) {
    for (int seed = 1; seed <= runs; ++seed) {
      const RunFigures f = WatchedRun(MM1Text(0.8, 50'000), static_cast<std::uint32_t>(seed));
      length_hits += Covers(f.queues[0].mean_length, 3.2);
      wait_hits += Covers(f.queues[0].mean_wait, 3.2);
    }
  }
  state.counters["length_coverage"] = static_cast<double>(length_hits) / runs;
  state.counters["wait_coverage"] = static_cast<double>(wait_hits) / runs;
}
BENCHMARK(BM_IntervalCoverage)->Arg(200)->Unit(benchmark::kSecond)->Iterations(1);

// Runs of 2,000 requests at load 0.9: the relative bias of the mean queue length
// over the runs (exact 8.1), with the automatic warm-up and without one, and the
// standard error of each bias. One run's mean is so spread (about half its value)
// that 500 runs measure a bias only to about 2 %: the second size tells the bias
// from the noise.
void BM_WarmupBias(benchmark::State& state) {
  const int runs = static_cast<int>(state.range(0));
  constexpr double kExact = 8.1;
  double corrected = 0, corrected_squares = 0;
  double plain = 0, plain_squares = 0;
  for (auto _ : state) {
    for (int seed = 1; seed <= runs; ++seed) {
      const auto text = MM1Text(0.9, 2'000);
      const double with =
          WatchedRun(text, static_cast<std::uint32_t>(seed)).queues[0].mean_length->mean / kExact;
      const double without =
          WatchedRun(text, static_cast<std::uint32_t>(seed), {.warmup = WarmupMethod::None})
              .queues[0]
              .mean_length->mean /
          kExact;
      corrected += with;
      corrected_squares += with * with;
      plain += without;
      plain_squares += without * without;
    }
  }
  auto standard_error = [runs](double sum, double squares) {
    const double mean = sum / runs;
    return std::sqrt((squares / runs - mean * mean) / (runs - 1));
  };
  state.counters["bias_auto"] = corrected / runs - 1;
  state.counters["bias_auto_se"] = standard_error(corrected, corrected_squares);
  state.counters["bias_none"] = plain / runs - 1;
  state.counters["bias_none_se"] = standard_error(plain, plain_squares);
}
BENCHMARK(BM_WarmupBias)->Arg(500)->Arg(20'000)->Unit(benchmark::kSecond)->Iterations(1);

// One run of 10^6 requests at load 0.8 (the argument is its seed): the relative
// error of each wait percentile against the exact quantile.
void BM_WaitPercentiles(benchmark::State& state) {
  Percentiles p;
  for (auto _ : state) {
    const auto seed = static_cast<std::uint32_t>(state.range(0));
    p = *WatchedRun(MM1Text(0.8, 1'000'000), seed).queues[0].wait_percentiles;
  }
  auto exact = [](double level) { return std::log(0.8 / (1 - level)) / 0.25; };
  state.counters["p50_error"] = p.p50 / exact(0.5) - 1;
  state.counters["p90_error"] = p.p90 / exact(0.9) - 1;
  state.counters["p95_error"] = p.p95 / exact(0.95) - 1;
  state.counters["p99_error"] = p.p99 / exact(0.99) - 1;
}
BENCHMARK(BM_WaitPercentiles)->DenseRange(1, 8)->Unit(benchmark::kSecond)->Iterations(1);

// A run at load 0.9 asked for a precision of 2 % (by count, 10^8 requests as the
// upper limit): how long it ran and the worst relative half-width it stopped at.
void BM_PrecisionStop(benchmark::State& state) {
  RunFigures f;
  for (auto _ : state)
    f = WatchedRun(MM1Text(0.9, 100'000'000), 1, {.precision = 0.02});
  auto relative = [](const std::optional<Estimate>& e) { return *e->half_width / e->mean; };
  state.counters["reached"] = f.precision_reached;
  state.counters["model_time"] = f.run.model_time;
  state.counters["events"] = static_cast<double>(f.run.events);
  state.counters["requests"] = static_cast<double>(f.run.generated);
  state.counters["wait_relative_half_width"] = relative(f.queues[0].mean_wait);
  state.counters["utilisation_relative_half_width"] = relative(f.devices[0].utilisation);
}
BENCHMARK(BM_PrecisionStop)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace qsim::bench
