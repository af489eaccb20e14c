#include "results/run_figures.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "results/mser_warmup.h"

namespace qsim {
namespace {

// The cells the figures are counted over end with the cell of the last arrival:
// what follows is the system emptying once its sources fell silent (the end of a
// run by count), which is no more part of its steady state than the empty start.
std::size_t WindowEnd(const RunStatistics& statistics) {
  const double arrivals = statistics.last_arrival() / statistics.cell_width();
  if (!(arrivals < static_cast<double>(statistics.cells_used())))
    return statistics.cells_used();
  return static_cast<std::size_t>(arrivals) + 1;
}

// The figures of one run after its warm-up: cells [first, WindowEnd).
class FigureSource {
 public:
  FigureSource(const RunStatistics& statistics, std::size_t first, double level)
      : statistics_(statistics), first_(first), end_(WindowEnd(statistics)), level_(level) {
    for (std::size_t cell = first; cell < end_; ++cell)
      times_.push_back(statistics.CellTime(cell));
  }

  // A sum over a count.
  std::optional<Estimate> PerCount(int sum, int count) const {
    return BatchMeansEstimate(Cells(sum), Cells(count), level_);
  }
  // A sum (a count or an area) per unit of model time, divided by `scale`.
  std::optional<Estimate> PerTime(int sum, double scale = 1) const {
    std::optional<Estimate> estimate = BatchMeansEstimate(Cells(sum), times_, level_);
    if (estimate) {
      estimate->mean /= scale;
      if (estimate->half_width)
        *estimate->half_width /= scale;
    }
    return estimate;
  }

 private:
  std::span<const double> Cells(int figure) const {
    const std::size_t first = std::min(first_, end_);
    return statistics_.Cells(figure).subspan(first, end_ - first);
  }

  const RunStatistics& statistics_;
  std::size_t first_;
  std::size_t end_;
  double level_;
  std::vector<double> times_;
};

std::optional<Percentiles> PercentilesOf(const LogHistogram& histogram) {
  if (histogram.count() == 0)
    return std::nullopt;
  return Percentiles{histogram.Quantile(0.5), histogram.Quantile(0.9), histogram.Quantile(0.95),
                     histogram.Quantile(0.99)};
}

int Channels(const DeviceRecord& device) {
  return std::clamp(device.k, 0, kMaxChannels);
}

std::vector<double> MeanLevels(const RunStatistics& statistics, int figure) {
  const std::span<const double> areas = statistics.Cells(figure);
  std::vector<double> levels(areas.size());
  for (std::size_t cell = 0; cell < areas.size(); ++cell) {
    const double time = statistics.CellTime(cell);
    levels[cell] = time > 0 ? areas[cell] / time : 0;
  }
  return levels;
}

QueueFigures QueueFiguresOf(int slot, const QueueRecord& queue, const RunStatistics& statistics,
                            const FigureSource& source, std::size_t first) {
  using Sum = RunStatistics::QueueSum;
  QueueFigures figures{.slot = slot, .name = std::string(queue.name.view())};
  figures.mean_length = source.PerTime(statistics.Figure(Sum::Length, slot));
  figures.mean_wait =
      source.PerCount(statistics.Figure(Sum::WaitSum, slot), statistics.Figure(Sum::Starts, slot));
  figures.refusal_probability = source.PerCount(statistics.Figure(Sum::Refusals, slot),
                                                statistics.Figure(Sum::Arrivals, slot));
  figures.throughput = source.PerTime(statistics.Figure(Sum::Starts, slot));
  for (int priority : statistics.priorities()) {
    const int count = statistics.PriorityFigure(slot, priority);
    if (count >= 0)
      figures.waits_by_priority.emplace_back(priority, source.PerCount(count + 1, count));
  }
  figures.waits = statistics.Waits(slot, first);
  figures.wait_percentiles = PercentilesOf(figures.waits);
  figures.mean_lengths = MeanLevels(statistics, statistics.Figure(Sum::Length, slot));
  return figures;
}

DeviceFigures DeviceFiguresOf(int slot, const DeviceRecord& device, const RunStatistics& statistics,
                              const FigureSource& source) {
  using Sum = RunStatistics::DeviceSum;
  DeviceFigures figures{.slot = slot, .name = std::string(device.name.view())};
  if (Channels(device) > 0)
    figures.utilisation = source.PerTime(statistics.Figure(Sum::Busy, slot), Channels(device));
  figures.throughput = source.PerTime(statistics.Figure(Sum::Completions, slot));
  figures.mean_service_time = source.PerCount(statistics.Figure(Sum::HeldSum, slot),
                                              statistics.Figure(Sum::Completions, slot));
  return figures;
}

GeneratorFigures GeneratorFiguresOf(int slot, const GeneratorRecord& generator,
                                    const RunStatistics& statistics, const FigureSource& source,
                                    std::size_t first) {
  using Sum = RunStatistics::GeneratorSum;
  GeneratorFigures figures{.slot = slot, .name = std::string(generator.name.view())};
  figures.throughput = source.PerTime(statistics.Figure(Sum::Served, slot));
  figures.mean_time_in_system =
      source.PerCount(statistics.Figure(Sum::StaySum, slot), statistics.Figure(Sum::Served, slot));
  figures.time_in_system_percentiles = PercentilesOf(statistics.Stays(slot, first));
  return figures;
}

NetworkFigures NetworkFiguresOf(const FigureSource& source) {
  using Sum = RunStatistics::NetworkSum;
  NetworkFigures figures;
  figures.throughput = source.PerTime(RunStatistics::Figure(Sum::Departures));
  figures.mean_in_system = source.PerTime(RunStatistics::Figure(Sum::InSystem));
  figures.mean_time_in_system =
      source.PerCount(RunStatistics::Figure(Sum::StaySum), RunStatistics::Figure(Sum::Departures));
  if (figures.throughput && figures.mean_in_system && figures.mean_time_in_system &&
      figures.mean_in_system->mean > 0) {
    const double l = figures.mean_in_system->mean;
    figures.littles_law_gap =
        std::abs(l - figures.throughput->mean * figures.mean_time_in_system->mean) / l;
  }
  return figures;
}

RunCounts CountsOf(const ModelStore& store, const RunResult& result) {
  RunCounts counts{.model_time = result.now,
                   .events = result.events,
                   .generated = store.generated,
                   .in_system_at_end = result.live_requests};
  std::int64_t unserved = 0;
  store.ForEachGenerator([&](int, const GeneratorRecord& g) {
    counts.served += g.stats.served;
    unserved += g.stats.unserved;
  });
  counts.refused = unserved - result.live_requests;
  return counts;
}

}  // namespace

std::size_t WarmupCells(const RunStatistics& statistics, const AccuracySettings& accuracy) {
  const std::size_t used = WindowEnd(statistics);
  switch (accuracy.warmup) {
    case WarmupMethod::None:
      return 0;
    case WarmupMethod::Fixed: {
      const double cells = std::ceil(accuracy.warmup_time / statistics.cell_width());
      return cells > 0 ? std::min(used, static_cast<std::size_t>(std::min(cells, 1e15))) : 0;
    }
    case WarmupMethod::Auto:
      break;
  }
  // The last cell may be cut short by the end of the run; it stays out of the rule.
  std::vector<double> levels =
      MeanLevels(statistics, RunStatistics::Figure(RunStatistics::NetworkSum::InSystem));
  levels.resize(used);
  if (!levels.empty())
    levels.pop_back();
  return RiseToSteadyLevel(levels);
}

RunFigures ComputeRunFigures(const RunStatistics& statistics, const ModelStore& store,
                             const RunResult& result, const AccuracySettings& accuracy) {
  const std::size_t first = WarmupCells(statistics, accuracy);
  const FigureSource source(statistics, first, accuracy.confidence);
  RunFigures figures{.warmup = accuracy.warmup,
                     .warmup_time = std::min(static_cast<double>(first) * statistics.cell_width(),
                                             statistics.end_time()),
                     .confidence = accuracy.confidence,
                     .cell_width = statistics.cell_width(),
                     .precision = accuracy.precision,
                     .precision_marks = accuracy.marks,
                     .precision_reached = result.precision_reached,
                     .run = CountsOf(store, result),
                     .network = NetworkFiguresOf(source)};
  store.ForEachQueue([&](int slot, const QueueRecord& q) {
    figures.queues.push_back(QueueFiguresOf(slot, q, statistics, source, first));
  });
  store.ForEachDevice([&](int slot, const DeviceRecord& d) {
    figures.devices.push_back(DeviceFiguresOf(slot, d, statistics, source));
  });
  store.ForEachGenerator([&](int slot, const GeneratorRecord& g) {
    figures.generators.push_back(GeneratorFiguresOf(slot, g, statistics, source, first));
  });
  return figures;
}

std::optional<double> WorstRelativeHalfWidth(const RunStatistics& statistics,
                                             const ModelStore& store,
                                             const AccuracySettings& accuracy) {
  const std::size_t first = WarmupCells(statistics, accuracy);
  if (WindowEnd(statistics) < first + 2 * kInitialBatches)
    return std::nullopt;
  const FigureSource source(statistics, first, accuracy.confidence);
  double worst = 0;
  bool complete = true;
  auto mark = [&](const std::optional<Estimate>& estimate) {
    if (!estimate || !estimate->half_width) {
      complete = false;
      return;
    }
    const double relative =
        *estimate->half_width == 0 ? 0 : *estimate->half_width / std::abs(estimate->mean);
    worst = std::max(worst, relative);
  };
  const PrecisionMarks& marks = accuracy.marks;
  using QueueSum = RunStatistics::QueueSum;
  store.ForEachQueue([&](int slot, const QueueRecord&) {
    if (marks.mean_wait) {
      mark(source.PerCount(statistics.Figure(QueueSum::WaitSum, slot),
                           statistics.Figure(QueueSum::Starts, slot)));
    }
    if (marks.mean_length)
      mark(source.PerTime(statistics.Figure(QueueSum::Length, slot)));
  });
  store.ForEachDevice([&](int slot, const DeviceRecord& d) {
    if (marks.utilisation && Channels(d) > 0)
      mark(source.PerTime(statistics.Figure(RunStatistics::DeviceSum::Busy, slot), Channels(d)));
  });
  using GeneratorSum = RunStatistics::GeneratorSum;
  store.ForEachGenerator([&](int slot, const GeneratorRecord&) {
    if (marks.mean_time_in_system) {
      mark(source.PerCount(statistics.Figure(GeneratorSum::StaySum, slot),
                           statistics.Figure(GeneratorSum::Served, slot)));
    }
  });
  if (!complete)
    return std::nullopt;
  return worst;
}

bool PrecisionJudge::operator()() {
  if (statistics_.closed_cells() == judged_)
    return false;
  judged_ = statistics_.closed_cells();
  statistics_.CatchUp(store_.now);
  worst_ = WorstRelativeHalfWidth(statistics_, store_, accuracy_);
  return worst_ && *worst_ <= accuracy_.precision;
}

}  // namespace qsim
