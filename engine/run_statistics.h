#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/log_histogram.h"
#include "model/limits.h"
#include "model/model_store.h"

namespace qsim {

// What a run's requests do, gathered as it happens for figures beyond the report's
// fixed tables: confidence intervals, a warm-up found after the run, percentiles.
// The engine tells it every change it watches and it draws nothing, so a run with
// it takes exactly the draws of a run without.
//
// Model time is cut into cells of equal width, at most cell_count() of them. Each
// figure keeps one sum per cell: a count, a sum of observed durations, or the area
// under a level (a queue's length, a device's busy channels, the requests in the
// system) over the cell. When time reaches the last cell, neighbouring cells are
// added in pairs and the width doubles, so the cells always cover the run with
// between half and all of them, whatever its length. A warm-up is then removed by
// dropping the first cells, and batches for the intervals are runs of cells.
//
// Waits (per queue) and times in system of served requests (per generator) also go
// into histograms, one per sixteenth of the cells (a chunk), so that percentiles
// can leave a warm-up out to the next chunk boundary.
//
// Model time that goes back (a negative duration) adds no negative area: a level
// is counted from the latest time it was seen at.
class RunStatistics {
 public:
  // What each figure sums per cell.
  enum class QueueSum { Length, Arrivals, Refusals, Starts, WaitSum };
  enum class DeviceSum { Busy, Completions, HeldSum };
  enum class GeneratorSum { Served, StaySum };
  enum class NetworkSum { InSystem, Departures, StaySum };
  static constexpr int kChunks = 16;

  // Forgets the last run and sets up the figures of the elements in use in
  // `store`, with cells fine enough for the run its settings ask for.
  void Start(const ModelStore& store);

  void Generated(double now) {
    Advance(now);
    last_arrival_ = now;
    SetLevel(0, levels_[0].value + 1, now);
  }
  // A request reached the queue; accepted, it made the queue `length` long.
  void Arrived(int queue, double now, bool accepted, int length) {
    Advance(now);
    const int base = queue_base_[queue];
    Add(base + int(QueueSum::Arrivals), 1);
    if (accepted)
      SetLevel(queue_level_[queue], length, now);
    else
      Add(base + int(QueueSum::Refusals), 1);
  }
  // A request left the queue for a device, or came back from a busy one.
  void QueueLength(int queue, double now, int length) {
    Advance(now);
    SetLevel(queue_level_[queue], length, now);
  }
  void ServiceStarted(int device, int queue, double now, double wait, int priority, int busy) {
    Advance(now);
    const int base = queue_base_[queue];
    Add(base + int(QueueSum::Starts), 1);
    Add(base + int(QueueSum::WaitSum), wait);
    if (classes_.size() > 1) {
      const int figure = ClassFigure(queue, ClassOf(priority));
      Add(figure, 1);
      Add(figure + 1, wait);
    }
    Chunk(waits_, queue_index_[queue]).Add(wait);
    SetLevel(device_level_[device], busy, now);
  }
  // A request left the device after holding a channel for `held`.
  void ServiceEnded(int device, double now, double held, int busy) {
    Advance(now);
    const int base = device_base_[device];
    Add(base + int(DeviceSum::Completions), 1);
    Add(base + int(DeviceSum::HeldSum), held);
    SetLevel(device_level_[device], busy, now);
  }
  // A request left the system during the run, served or refused.
  void Departed(int generator, double now, double stay, bool refused) {
    Advance(now);
    Add(int(NetworkSum::Departures), 1);
    Add(int(NetworkSum::StaySum), stay);
    SetLevel(0, levels_[0].value - 1, now);
    if (refused)
      return;
    const int base = generator_base_[generator];
    Add(base + int(GeneratorSum::Served), 1);
    Add(base + int(GeneratorSum::StaySum), stay);
    Chunk(stays_, generator_index_[generator]).Add(stay);
  }
  // Brings every figure up to `now`, the cell in hand included, as the end of a
  // run does; the run may go on. What is left in the system at the end of a run
  // stays uncounted.
  void CatchUp(double now);

  // Where the figures of an element start. REQUIRES: the element was in use at Start.
  int Figure(QueueSum sum, int queue) const { return queue_base_[queue] + int(sum); }
  int Figure(DeviceSum sum, int device) const { return device_base_[device] + int(sum); }
  int Figure(GeneratorSum sum, int generator) const {
    return generator_base_[generator] + int(sum);
  }
  static int Figure(NetworkSum sum) { return int(sum); }
  // The count and wait-sum figures of the requests of one priority value at a
  // queue; none (-1) when the model has fewer than two priority values.
  int PriorityFigure(int queue, int priority) const;
  const std::vector<int>& priorities() const { return classes_; }

  // The cells of one figure, the first cells_used() of them meaningful.
  std::span<const double> Cells(int figure) const {
    return {sums_.data() + static_cast<std::size_t>(figure) * cell_count_, cells_used()};
  }
  // Cells holding what was seen so far: after CatchUp the last one is the cell in
  // hand, partly filled; until then it is left out.
  std::size_t cells_used() const { return end_ > CellStart(cell_) ? cell_ + 1 : cell_; }
  std::size_t closed_cells() const { return cell_; }
  std::size_t cell_count() const { return cell_count_; }
  double cell_width() const { return width_; }
  // Model time covered by a cell; the cell in hand ends at the last CatchUp.
  double CellTime(std::size_t cell) const;
  double end_time() const { return end_; }
  // The model time of the latest request generated.
  double last_arrival() const { return last_arrival_; }

  // Waits at a queue and stays of a generator's served requests, from the first
  // chunk that starts at or after `first_cell`.
  LogHistogram Waits(int queue, std::size_t first_cell) const;
  LogHistogram Stays(int generator, std::size_t first_cell) const;
  // The first cell of the chunk that holds `first_cell`'s data, rounded up.
  std::size_t ChunkStart(std::size_t first_cell) const;

 private:
  struct Level {
    int figure = 0;
    double value = 0;
    double last = 0;  // the latest model time the area was counted up to
  };

  void Add(int figure, double value) {
    sums_[static_cast<std::size_t>(figure) * cell_count_ + cell_] += value;
  }
  void SetLevel(int level, double value, double now) {
    Level& l = levels_[static_cast<std::size_t>(level)];
    if (now > l.last) {
      Add(l.figure, l.value * (now - l.last));
      l.last = now;
    }
    l.value = value;
  }
  void Advance(double now) {
    if (now >= cell_end_) [[unlikely]]
      CloseCellsUpTo(now);
  }
  void CloseCellsUpTo(double now);
  void HalveCells();
  double CellStart(std::size_t cell) const { return static_cast<double>(cell) * width_; }
  std::size_t ChunkOf(std::size_t cell) const { return cell / (cell_count_ / kChunks); }
  LogHistogram& Chunk(std::vector<LogHistogram>& chunks, int element) {
    return chunks[static_cast<std::size_t>(element) * kChunks + ChunkOf(cell_)];
  }
  LogHistogram ChunksFrom(const std::vector<LogHistogram>& chunks, int element,
                          std::size_t first_cell) const;
  int ClassOf(int priority) const;
  int ClassFigure(int queue, int class_index) const { return class_base_[queue] + 2 * class_index; }
  int NewLevel(int figure);

  std::size_t cell_count_ = 1024;
  std::size_t cell_ = 0;  // the cell in hand
  double width_ = 1;
  double cell_end_ = 1;
  double end_ = 0;  // the latest CatchUp
  double last_arrival_ = 0;
  std::vector<double> sums_;   // figure by figure, cell_count_ cells each
  std::vector<Level> levels_;  // the requests in the system first
  std::vector<int> classes_;   // the priority values of the generators, ascending
  std::array<int, kSlotCount + 1> queue_base_{};
  std::array<int, kSlotCount + 1> class_base_{};
  std::array<int, kSlotCount + 1> device_base_{};
  std::array<int, kSlotCount + 1> generator_base_{};
  std::array<int, kSlotCount + 1> queue_level_{};
  std::array<int, kSlotCount + 1> device_level_{};
  std::array<int, kSlotCount + 1> queue_index_{};  // the queue's place among those in use
  std::array<int, kSlotCount + 1> generator_index_{};
  std::vector<LogHistogram> waits_;  // kChunks per queue in use
  std::vector<LogHistogram> stays_;  // kChunks per generator in use
};

}  // namespace qsim
