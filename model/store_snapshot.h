#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "model/model_store.h"

namespace qsim {

// A copy of the whole store, kept cheaply for an undo history: each slot's
// record is held apart, and a snapshot taken after another one shares every
// record that did not change with it, so a step that changes one element costs
// one record, not the megabyte of the store. Restoring gives the store back
// byte for byte, records, terminator, settings and the state of the last run.
class StoreSnapshot {
 public:
  // `previous`: an earlier snapshot whose unchanged records this one shares, or null.
  StoreSnapshot(const ModelStore& store, const StoreSnapshot* previous);

  void RestoreInto(ModelStore& store) const;

  // The number of records this snapshot shares with `other`, for tests and
  // measurements of the sharing.
  int SharedRecords(const StoreSnapshot& other) const;

 private:
  template <typename Record>
  using Records = std::array<std::shared_ptr<const Record>, kSlotCount>;

  Records<GeneratorRecord> generators_;
  Records<QueueRecord> queues_;
  Records<DeviceRecord> devices_;
  std::int32_t term_x_;
  std::int32_t term_y_;
  RunSettings settings_;
  double now_;
  std::int32_t generated_;
  std::int64_t past_events_;
};

}  // namespace qsim
