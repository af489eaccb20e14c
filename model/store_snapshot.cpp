#include "model/store_snapshot.h"

#include <cstring>
#include <type_traits>

namespace qsim {
namespace {

// Records are compared and restored as bytes: they hold no pointer of their own
// to anything that a copy would have to follow (the request pointers of a
// finished run are stale and never followed).
template <typename Record>
std::shared_ptr<const Record> Share(const Record& record,
                                    const std::shared_ptr<const Record>* previous) {
  static_assert(std::is_trivially_copyable_v<Record>);
  if (previous != nullptr && std::memcmp(previous->get(), &record, sizeof(Record)) == 0)
    return *previous;
  return std::make_shared<const Record>(record);
}

template <typename Records>
int CountShared(const Records& a, const Records& b) {
  int shared = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    shared += a[i] == b[i] ? 1 : 0;
  return shared;
}

}  // namespace

StoreSnapshot::StoreSnapshot(const ModelStore& store, const StoreSnapshot* previous)
    : term_x_(store.term_x),
      term_y_(store.term_y),
      settings_(store.settings),
      now_(store.now),
      generated_(store.generated),
      past_events_(store.past_events) {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const std::size_t i = static_cast<std::size_t>(slot - 1);
    generators_[i] = Share(store.generator(slot), previous ? &previous->generators_[i] : nullptr);
    queues_[i] = Share(store.queue(slot), previous ? &previous->queues_[i] : nullptr);
    devices_[i] = Share(store.device(slot), previous ? &previous->devices_[i] : nullptr);
  }
}

void StoreSnapshot::RestoreInto(ModelStore& store) const {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const std::size_t i = static_cast<std::size_t>(slot - 1);
    std::memcpy(&store.generator(slot), generators_[i].get(), sizeof(GeneratorRecord));
    std::memcpy(&store.queue(slot), queues_[i].get(), sizeof(QueueRecord));
    std::memcpy(&store.device(slot), devices_[i].get(), sizeof(DeviceRecord));
  }
  store.term_x = term_x_;
  store.term_y = term_y_;
  store.settings = settings_;
  store.now = now_;
  store.generated = generated_;
  store.past_events = past_events_;
}

int StoreSnapshot::SharedRecords(const StoreSnapshot& other) const {
  return CountShared(generators_, other.generators_) + CountShared(queues_, other.queues_) +
         CountShared(devices_, other.devices_);
}

}  // namespace qsim
