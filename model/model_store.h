#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

#include "model/element_records.h"
#include "model/limits.h"
#include "model/run_settings.h"

namespace qsim {

// Kinds of elements that occupy slots.
enum class ElementKind { Generator, Queue, Device };

// The one in-memory model: three tables of 150 slots, the terminator's position,
// the run settings and the statistics of the last run. Every part of the program
// works on it in place. Slots are addressed 1..150; any other number throws
// std::out_of_range, so nothing can reach outside the tables.
//
// The store is large (about 260 kilobytes, mostly transition tables); keep it on
// the heap.
class ModelStore {
 public:
  GeneratorRecord& generator(int slot) { return generators_.at(Checked(slot)); }
  const GeneratorRecord& generator(int slot) const { return generators_.at(Checked(slot)); }
  QueueRecord& queue(int slot) { return queues_.at(Checked(slot)); }
  const QueueRecord& queue(int slot) const { return queues_.at(Checked(slot)); }
  DeviceRecord& device(int slot) { return devices_.at(Checked(slot)); }
  const DeviceRecord& device(int slot) const { return devices_.at(Checked(slot)); }

  // Marks every slot unused and changes nothing else: names, parameters and
  // transitions stay until the text sets them again.
  void ClearExists();

  // Empties every slot for a new model and drops the statistics of the last run.
  // Transition entries, disciplines, device laws, the terminator position and the
  // run settings keep their values.
  void ClearForNewModel();

  // True when the slot holds an element of the kind; false for slots outside 1..150.
  bool InUse(ElementKind kind, int slot) const;

  // Number of slots in use of one kind.
  int CountInUse(ElementKind kind) const;

  static bool IsValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

  // Calls visit(slot, record) for every element of one kind in use, in slot order.
  template <typename Visit>
  void ForEachGenerator(Visit&& visit) {
    VisitInUse(generators_, visit);
  }
  template <typename Visit>
  void ForEachGenerator(Visit&& visit) const {
    VisitInUse(generators_, visit);
  }
  template <typename Visit>
  void ForEachQueue(Visit&& visit) {
    VisitInUse(queues_, visit);
  }
  template <typename Visit>
  void ForEachQueue(Visit&& visit) const {
    VisitInUse(queues_, visit);
  }
  template <typename Visit>
  void ForEachDevice(Visit&& visit) {
    VisitInUse(devices_, visit);
  }
  template <typename Visit>
  void ForEachDevice(Visit&& visit) const {
    VisitInUse(devices_, visit);
  }

  // Calls visit(slot, record) for every element in use, slot by slot and within a
  // slot the generator, the queue, then the device: the order of the model text and
  // of the model check's findings. `visit` takes each record type (Overloaded).
  template <typename Visit>
  void ForEachElement(Visit&& visit) {
    VisitSlotBySlot(*this, visit);
  }
  template <typename Visit>
  void ForEachElement(Visit&& visit) const {
    VisitSlotBySlot(*this, visit);
  }

  // A field added here must be kept by StoreSnapshot as well.
  std::int32_t term_x = 0;
  std::int32_t term_y = 0;
  RunSettings settings;

  // State of the last run, read by the report.
  double now = 0;              // model time of the event being handled, or at the end
  std::int32_t generated = 0;  // requests generated so far
  // Events scheduled for a time before the model time at which they were scheduled:
  // the mark of a law that gave negative durations.
  std::int64_t past_events = 0;

 private:
  static std::size_t Checked(int slot) {
    if (!IsValidSlot(slot))
      throw std::out_of_range("element slot");
    return static_cast<std::size_t>(slot - 1);
  }

  template <typename Records, typename Visit>
  static void VisitInUse(Records& records, Visit& visit) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      if (records[slot - 1].exists)
        visit(slot, records[slot - 1]);
    }
  }

  template <typename Store, typename Visit>
  static void VisitSlotBySlot(Store& store, Visit& visit) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      if (store.generators_[slot - 1].exists)
        visit(slot, store.generators_[slot - 1]);
      if (store.queues_[slot - 1].exists)
        visit(slot, store.queues_[slot - 1]);
      if (store.devices_[slot - 1].exists)
        visit(slot, store.devices_[slot - 1]);
    }
  }

  std::array<GeneratorRecord, kSlotCount> generators_{};
  std::array<QueueRecord, kSlotCount> queues_{};
  std::array<DeviceRecord, kSlotCount> devices_{};
};

}  // namespace qsim
