#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "model/model_store.h"

namespace qsim {

// The model definition in the store, kept cheaply for an undo history: each
// slot's record is held apart, and a snapshot taken after another one shares
// every record whose definition did not change with it, so a step that changes
// one element costs one record, not the whole store. Restoring gives back the
// definitions byte for byte, the terminator and the settings; the statistics and
// the state of the last run stay as the store holds them, since undo changes the
// model, not what the last run measured.
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
};

}  // namespace qsim
