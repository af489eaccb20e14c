#include "model/store_snapshot.h"

#include <cstring>
#include <type_traits>

namespace qsim {
namespace {

// Records are compared and restored as bytes: they hold no pointer to anything
// that a copy would have to follow. A kept record's statistics are zero bytes,
// so that records compare by their definitions alone.
template <typename Record>
std::shared_ptr<const Record> Share(const Record& record,
                                    const std::shared_ptr<const Record>* previous) {
  static_assert(std::is_trivially_copyable_v<Record>);
  Record definition;
  std::memcpy(&definition, &record, sizeof(Record));
  static const decltype(record.stats) kNoStats{};  // static: its padding is zero too
  std::memcpy(&definition.stats, &kNoStats, sizeof(kNoStats));
  if (previous != nullptr && std::memcmp(previous->get(), &definition, sizeof(Record)) == 0)
    return *previous;
  auto kept = std::make_shared<Record>();
  std::memcpy(kept.get(), &definition, sizeof(Record));
  return kept;
}

template <typename Record>
void Restore(Record& record, const Record& kept) {
  const auto stats = record.stats;
  std::memcpy(&record, &kept, sizeof(Record));
  record.stats = stats;
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
    : term_x_(store.term_x), term_y_(store.term_y), settings_(store.settings) {
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
    Restore(store.generator(slot), *generators_[i]);
    Restore(store.queue(slot), *queues_[i]);
    Restore(store.device(slot), *devices_[i]);
  }
  store.term_x = term_x_;
  store.term_y = term_y_;
  store.settings = settings_;
}

int StoreSnapshot::SharedRecords(const StoreSnapshot& other) const {
  return CountShared(generators_, other.generators_) + CountShared(queues_, other.queues_) +
         CountShared(devices_, other.devices_);
}

}  // namespace qsim
