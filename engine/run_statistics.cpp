#include "engine/run_statistics.h"

#include <algorithm>
#include <cmath>

namespace qsim {
namespace {

// The most cells of all figures together: 32 MB of sums. A model of every element
// in use keeps fewer cells per figure, never fewer than kFewestCells.
constexpr std::size_t kMostSums = std::size_t{4} << 20;
constexpr std::size_t kMostCells = 1024;
constexpr std::size_t kFewestCells = 64;

// The first cells are fine enough for a run of 4 arrivals a cell, or for the run
// the settings ask for to fill every cell, whichever is finer; a longer run widens
// them. Without arrivals a cell is one unit of model time.
double FirstCellWidth(const ModelStore& store, std::size_t cells) {
  double rate = 0;
  store.ForEachGenerator([&](int, const GeneratorRecord& g) { rate += std::max(g.la, 0.0); });
  if (!(rate > 0))
    return 1;
  const RunSettings& settings = store.settings;
  const double expected_end = settings.by_time ? settings.end_time : settings.simulate / rate;
  double width = 4 / rate;
  if (expected_end > 0 && std::isfinite(expected_end))
    width = std::min(width, expected_end / static_cast<double>(cells));
  return width > 0 ? width : 1;
}

}  // namespace

void RunStatistics::Start(const ModelStore& store) {
  classes_.clear();
  store.ForEachGenerator([&](int, const GeneratorRecord& g) { classes_.push_back(g.prior); });
  std::sort(classes_.begin(), classes_.end());
  classes_.erase(std::unique(classes_.begin(), classes_.end()), classes_.end());

  levels_.clear();
  int figures = 3;  // NetworkSum
  NewLevel(int(NetworkSum::InSystem));
  int queues = 0;
  store.ForEachQueue([&](int slot, const QueueRecord&) {
    queue_index_[slot] = queues++;
    queue_base_[slot] = figures;
    queue_level_[slot] = NewLevel(figures + int(QueueSum::Length));
    figures += 5;
    class_base_[slot] = figures;
    if (classes_.size() > 1)
      figures += 2 * static_cast<int>(classes_.size());
  });
  store.ForEachDevice([&](int slot, const DeviceRecord&) {
    device_base_[slot] = figures;
    device_level_[slot] = NewLevel(figures + int(DeviceSum::Busy));
    figures += 3;
  });
  int generators = 0;
  store.ForEachGenerator([&](int slot, const GeneratorRecord&) {
    generator_index_[slot] = generators++;
    generator_base_[slot] = figures;
    figures += 2;
  });

  cell_count_ = kMostCells;
  while (cell_count_ > kFewestCells && static_cast<std::size_t>(figures) * cell_count_ > kMostSums)
    cell_count_ /= 2;
  sums_.assign(static_cast<std::size_t>(figures) * cell_count_, 0);
  waits_.assign(static_cast<std::size_t>(queues) * kChunks, LogHistogram{});
  stays_.assign(static_cast<std::size_t>(generators) * kChunks, LogHistogram{});
  width_ = FirstCellWidth(store, cell_count_);
  cell_ = 0;
  cell_end_ = width_;
  end_ = 0;
  last_arrival_ = 0;
}

int RunStatistics::NewLevel(int figure) {
  levels_.push_back({figure, 0, 0});
  return static_cast<int>(levels_.size()) - 1;
}

void RunStatistics::CloseCellsUpTo(double now) {
  while (now >= cell_end_) {
    for (Level& level : levels_) {
      if (cell_end_ > level.last) {
        Add(level.figure, level.value * (cell_end_ - level.last));
        level.last = cell_end_;
      }
    }
    if (++cell_ == cell_count_)
      HalveCells();
    cell_end_ = static_cast<double>(cell_ + 1) * width_;
  }
}

void RunStatistics::HalveCells() {
  const std::size_t half = cell_count_ / 2;
  for (std::size_t start = 0; start < sums_.size(); start += cell_count_) {
    double* cells = sums_.data() + start;
    for (std::size_t i = 0; i < half; ++i)
      cells[i] = cells[2 * i] + cells[2 * i + 1];
    std::fill(cells + half, cells + cell_count_, 0.0);
  }
  for (std::vector<LogHistogram>* chunks : {&waits_, &stays_}) {
    for (std::size_t start = 0; start < chunks->size(); start += kChunks) {
      LogHistogram* chunk = chunks->data() + start;
      for (int i = 0; i < kChunks / 2; ++i) {
        LogHistogram pair = chunk[2 * i];
        pair.Merge(chunk[2 * i + 1]);
        chunk[i] = std::move(pair);
      }
      for (int i = kChunks / 2; i < kChunks; ++i)
        chunk[i].Clear();
    }
  }
  width_ *= 2;
  cell_ = half;
}

void RunStatistics::CatchUp(double now) {
  Advance(now);
  for (Level& level : levels_)
    SetLevel(static_cast<int>(&level - levels_.data()), level.value, now);
  end_ = std::max(now, end_);
}

double RunStatistics::CellTime(std::size_t cell) const {
  return cell == cell_ ? end_ - CellStart(cell_) : width_;
}

int RunStatistics::ClassOf(int priority) const {
  return static_cast<int>(std::lower_bound(classes_.begin(), classes_.end(), priority) -
                          classes_.begin());
}

int RunStatistics::PriorityFigure(int queue, int priority) const {
  if (classes_.size() < 2)
    return -1;
  return ClassFigure(queue, ClassOf(priority));
}

std::size_t RunStatistics::ChunkStart(std::size_t first_cell) const {
  const std::size_t size = cell_count_ / kChunks;
  return (first_cell + size - 1) / size * size;
}

LogHistogram RunStatistics::ChunksFrom(const std::vector<LogHistogram>& chunks, int element,
                                       std::size_t first_cell) const {
  LogHistogram merged;
  const std::size_t first = ChunkStart(first_cell) / (cell_count_ / kChunks);
  for (std::size_t chunk = first; chunk < static_cast<std::size_t>(kChunks); ++chunk)
    merged.Merge(chunks[static_cast<std::size_t>(element) * kChunks + chunk]);
  return merged;
}

LogHistogram RunStatistics::Waits(int queue, std::size_t first_cell) const {
  return ChunksFrom(waits_, queue_index_[queue], first_cell);
}

LogHistogram RunStatistics::Stays(int generator, std::size_t first_cell) const {
  return ChunksFrom(stays_, generator_index_[generator], first_cell);
}

}  // namespace qsim
