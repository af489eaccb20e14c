#include "commands/parallel_series.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

namespace qsim {
namespace {

// Counts the runs done per point, for SeriesProgress.
class ProgressCount {
 public:
  ProgressCount(const SeriesDefinition& series, std::int64_t runs)
      : replications_(series.replications),
        runs_per_point_(static_cast<std::size_t>(SeriesPointCount(series)), 0) {
    progress_.points = SeriesPointCount(series);
    progress_.runs = runs;
  }

  const SeriesProgress& Count(std::int64_t run) {
    ++progress_.runs_done;
    if (++runs_per_point_[static_cast<std::size_t>(run / replications_)] == replications_)
      ++progress_.points_done;
    return progress_;
  }

 private:
  int replications_;
  std::vector<int> runs_per_point_;
  SeriesProgress progress_;
};

}  // namespace

int SeriesThreadCount(int jobs) {
  if (jobs > 0)
    return jobs;
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void RunSeriesOnThreads(const ModelStore& model, const SeriesDefinition& series,
                        const NumberFormat& format, int jobs, const RunControls& controls,
                        const NextSeriesRun& next, const SeriesRunDone& done) {
  RunControls run_controls = controls;
  run_controls.progress = nullptr;
  std::mutex lock;
  std::exception_ptr failure;
  const auto work = [&] {
    try {
      SeriesRunner runner(model, series, format);
      for (;;) {
        std::optional<std::int64_t> run;
        {
          const std::lock_guard guard(lock);
          run = failure ? std::nullopt : next();
        }
        if (!run)
          return;
        SeriesRunResult result = runner.Run(*run, run_controls);
        const std::lock_guard guard(lock);
        done(*run, std::move(result));
      }
    } catch (...) {
      const std::lock_guard guard(lock);
      if (!failure)
        failure = std::current_exception();
    }
  };
  std::vector<std::jthread> threads;
  for (int i = 1; i < jobs; ++i)
    threads.emplace_back(work);
  work();
  threads.clear();
  if (failure)
    std::rethrow_exception(failure);
}

SeriesRunQueue::SeriesRunQueue(const SeriesDefinition& series, const SeriesShard& shard)
    : shard_(shard),
      next_(shard.index),
      runs_(std::max<std::int64_t>(
          0, (SeriesRunCount(series) - shard.index + shard.count - 1) / shard.count)),
      results_(static_cast<std::size_t>(SeriesRunCount(series))) {}

std::optional<std::int64_t> SeriesRunQueue::Next() {
  if (stopped_ || next_ >= static_cast<std::int64_t>(results_.size()))
    return std::nullopt;
  const std::int64_t run = next_;
  next_ += shard_.count;
  return run;
}

void SeriesRunQueue::Done(std::int64_t run, SeriesRunResult result) {
  stopped_ = stopped_ || result.status != SeriesRunStatus::Finished;
  results_.at(static_cast<std::size_t>(run)) = std::move(result);
}

std::vector<std::optional<SeriesRunResult>> RunSeriesShard(const ModelStore& model,
                                                           const SeriesDefinition& series,
                                                           const NumberFormat& format,
                                                           const SeriesOptions& options) {
  CheckSeries(model, series);
  SeriesRunQueue queue(series, options.shard);
  ProgressCount count(series, queue.runs());
  const auto next = [&]() -> std::optional<std::int64_t> {
    if (options.controls.cancel && options.controls.cancel->load())
      return std::nullopt;
    return queue.Next();
  };
  const auto done = [&](std::int64_t run, SeriesRunResult result) {
    queue.Done(run, std::move(result));
    if (options.progress)
      options.progress(count.Count(run));
  };
  const auto jobs =
      static_cast<int>(std::clamp<std::int64_t>(queue.runs(), 1, SeriesThreadCount(options.jobs)));
  RunSeriesOnThreads(model, series, format, jobs, options.controls, next, done);
  return queue.TakeResults();
}

SeriesSummary RunSeries(const ModelStore& model, const SeriesDefinition& series,
                        const NumberFormat& format, const SeriesOptions& options) {
  SeriesOptions whole = options;
  whole.shard = {};
  SeriesSummary summary = SummariseSeries(series, RunSeriesShard(model, series, format, whole));
  SeriesRunner runner(model, series, format);
  for (std::size_t point = 0; point < summary.points.size(); ++point) {
    summary.points[point].predicted =
        SweepPredictions(runner.PreparePoint(static_cast<std::int64_t>(point)));
  }
  return summary;
}

std::vector<SweepPoint> RunSweep(const ModelStore& store, const SweepRange& range, int replications,
                                 const NumberFormat& format, const RunControls& controls,
                                 const std::function<void(const SeriesProgress&)>& progress) {
  const SeriesDefinition series{range, replications, 0};
  SeriesOptions options;
  options.controls = controls;
  options.progress = progress;
  return RunSeries(store, series, format, options).points;
}

}  // namespace qsim
