#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "commands/series_run.h"
#include "engine/run_controls.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// The runs of a series one process takes: every `count`-th run from `index`.
struct SeriesShard {
  std::int64_t index = 0;
  std::int64_t count = 1;
};

// How far a series has come: points whose runs are all done, and runs done.
struct SeriesProgress {
  std::int64_t points_done = 0;
  std::int64_t points = 0;
  std::int64_t runs_done = 0;
  std::int64_t runs = 0;
};

// How a series is spread and watched. `controls` apply to every run (its cancel
// flag also ends the series); their per-run progress is not reported, since runs
// go on side by side; `progress` is called after every run instead, from the
// thread that ran it.
struct SeriesOptions {
  int jobs = 0;  // threads; 0: one per core
  SeriesShard shard;
  RunControls controls;
  std::function<void(const SeriesProgress&)> progress;
};

// The threads of a series when the options ask for `jobs`.
int SeriesThreadCount(int jobs);

// Hands out the next run to do; none when there is no more.
using NextSeriesRun = std::function<std::optional<std::int64_t>()>;
// Takes the result of a run.
using SeriesRunDone = std::function<void(std::int64_t run, SeriesRunResult result)>;

// Runs the runs that `next` hands out on `jobs` threads, each with a SeriesRunner
// of its own, until `next` hands out none; `done` takes each result. The calls to
// `next` and `done` are made one at a time. What a thread throws is thrown again
// here once every thread has ended.
void RunSeriesOnThreads(const ModelStore& model, const SeriesDefinition& series,
                        const NumberFormat& format, int jobs, const RunControls& controls,
                        const NextSeriesRun& next, const SeriesRunDone& done);

// Hands out the runs of a shard in ascending order, and none after a run that did
// not finish, and keeps their results by run. However the runs are spread, the
// summary of the results is then the same: every run before the first one that
// did not finish has been handed out and done. Not thread-safe.
class SeriesRunQueue {
 public:
  SeriesRunQueue(const SeriesDefinition& series, const SeriesShard& shard);

  std::optional<std::int64_t> Next();
  void Done(std::int64_t run, SeriesRunResult result);

  // The runs of the shard.
  std::int64_t runs() const { return runs_; }
  std::vector<std::optional<SeriesRunResult>> TakeResults() { return std::move(results_); }

 private:
  SeriesShard shard_;
  std::int64_t next_;
  std::int64_t runs_;
  bool stopped_ = false;
  std::vector<std::optional<SeriesRunResult>> results_;
};

// The runs of the options' shard on its threads, indexed by run (none for the runs
// of other shards), handed out by a SeriesRunQueue; none once the cancel flag is
// up.
std::vector<std::optional<SeriesRunResult>> RunSeriesShard(const ModelStore& model,
                                                           const SeriesDefinition& series,
                                                           const NumberFormat& format,
                                                           const SeriesOptions& options);

// The whole series (the options' shard is ignored), summarised; every point carries
// SweepPredictions of its model. Throws QsimError as CheckSeries and
// SummariseSeries do.
SeriesSummary RunSeries(const ModelStore& model, const SeriesDefinition& series,
                        const NumberFormat& format, const SeriesOptions& options);

// Runs the series of `replications` runs at every value of the range (see
// RunSeries) on every core, with the series seed 0, and returns the points done; a
// series stopped through `controls` (cancel flag, event limit) ends early.
// `progress` sees the series' progress after every run. The store's model is not
// changed.
//
// Throws QsimError when the range is unusable, when the model check blocks a run
// (with the first blocking finding), or when a route leads nowhere.
std::vector<SweepPoint> RunSweep(const ModelStore& store, const SweepRange& range, int replications,
                                 const NumberFormat& format, const RunControls& controls = {},
                                 const std::function<void(const SeriesProgress&)>& progress = {});

}  // namespace qsim
