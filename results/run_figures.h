#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/log_histogram.h"
#include "engine/run_controls.h"
#include "engine/run_statistics.h"
#include "model/accuracy_settings.h"
#include "model/model_store.h"
#include "results/batch_means.h"

namespace qsim {

// Quantiles of a stream of durations, within 0.78 % of the sample's own
// (LogHistogram).
struct Percentiles {
  double p50 = 0;
  double p90 = 0;
  double p95 = 0;
  double p99 = 0;
};

// Every figure below is counted after the warm-up and up to the last arrival (a run
// by count then empties); none where its divisor is zero.
struct QueueFigures {
  int slot = 0;
  std::string name{};  // Windows-1251
  std::optional<Estimate> mean_length{};
  std::optional<Estimate> mean_wait{};            // of the requests that started service
  std::optional<Estimate> refusal_probability{};  // refused / arrivals
  std::optional<Estimate> throughput{};           // requests on to a device per unit of time
  std::optional<Percentiles> wait_percentiles{};
  // Mean waits by the requests' priority value, ascending; empty for a model of
  // fewer than two priority values.
  std::vector<std::pair<int, std::optional<Estimate>>> waits_by_priority{};
  LogHistogram waits{};
  std::vector<double> mean_lengths{};  // per cell of the whole run, for a plot
};

struct DeviceFigures {
  int slot = 0;
  std::string name{};
  std::optional<Estimate> utilisation{};        // busy channels over all channels
  std::optional<Estimate> throughput{};         // requests leaving per unit of time
  std::optional<Estimate> mean_service_time{};  // a channel held, blocking included
};

struct GeneratorFigures {
  int slot = 0;
  std::string name{};
  std::optional<Estimate> throughput{};           // its requests leaving served per unit of time
  std::optional<Estimate> mean_time_in_system{};  // of its served requests
  std::optional<Percentiles> time_in_system_percentiles{};
};

// Every request that left during the run, served or refused.
struct NetworkFigures {
  std::optional<Estimate> throughput{};
  std::optional<Estimate> mean_in_system{};
  std::optional<Estimate> mean_time_in_system{};
  // |L - lambda W| / L of the three figures above: Little's law holds for every
  // stable system, so a gap beyond a few per cent tells of a run too short.
  std::optional<double> littles_law_gap{};
};

// The whole run, warm-up included: generated = served + refused + in_system_at_end.
struct RunCounts {
  double model_time = 0;
  std::int64_t events = 0;
  std::int64_t generated = 0;
  std::int64_t served = 0;
  std::int64_t refused = 0;
  std::int64_t in_system_at_end = 0;
};

struct RunFigures {
  WarmupMethod warmup = WarmupMethod::Auto;
  double warmup_time = 0;  // model time removed
  double confidence = 0.95;
  double cell_width = 0;  // model time of a cell of the plots
  double precision = 0;   // the relative half-width the run was to stop at; 0: none
  PrecisionMarks precision_marks{};
  bool precision_reached = false;
  RunCounts run{};
  NetworkFigures network{};
  std::vector<QueueFigures> queues{};
  std::vector<DeviceFigures> devices{};
  std::vector<GeneratorFigures> generators{};
};

// The cells a warm-up removes from a stopped or running collection: those before
// the number of requests in the system first reaches its steady level, as MSER-5
// finds it (RiseToSteadyLevel over the mean number per cell); none; or the cells
// up to the first cell boundary at or after the fixed time.
std::size_t WarmupCells(const RunStatistics& statistics, const AccuracySettings& accuracy);

// The figures of the run that `statistics` watched on `store`.
// REQUIRES: the run is over (statistics.CatchUp was called) and `store` holds its
// records after the end-of-run removals.
RunFigures ComputeRunFigures(const RunStatistics& statistics, const ModelStore& store,
                             const RunResult& result, const AccuracySettings& accuracy);

// The largest half-width relative to its mean over the figures accuracy.marks
// names of a run in progress, or none while one of them has no interval yet. A mean of zero with a
// half-width of zero counts as exact.
std::optional<double> WorstRelativeHalfWidth(const RunStatistics& statistics,
                                             const ModelStore& store,
                                             const AccuracySettings& accuracy);

// Judges, as a run goes on, whether the marked figures have reached
// accuracy.precision: for RunControls::precise_enough. It judges again only when
// a cell has closed since, and brings the figures up to the model time first, so
// that a run stopped on its word ends with exactly the figures it judged.
class PrecisionJudge {
 public:
  PrecisionJudge(RunStatistics& statistics, const ModelStore& store,
                 const AccuracySettings& accuracy)
      : statistics_(statistics), store_(store), accuracy_(accuracy) {}

  bool operator()();
  // The worst relative half-width at the last judgement.
  std::optional<double> worst() const { return worst_; }
  double precision() const { return accuracy_.precision; }

 private:
  RunStatistics& statistics_;
  const ModelStore& store_;
  AccuracySettings accuracy_;
  std::size_t judged_ = 0;
  std::optional<double> worst_;
};

}  // namespace qsim
