#include "model/model_store.h"

namespace qsim {

void ModelStore::ClearExists() {
  for (auto& g : generators_)
    g.exists = false;
  for (auto& q : queues_)
    q.exists = false;
  for (auto& d : devices_)
    d.exists = false;
}

// Unlike ResetDefinition this keeps the transition entries, a queue's discipline
// and a device's law: the new-model command has always left them for a reused
// slot to take from the text or the dialog that creates it. The statistics go
// whole, since a new model has no last run.
void ModelStore::ClearForNewModel() {
  for (auto& g : generators_) {
    g.exists = false;
    g.name.clear();
    g.xc = g.yc = g.prior = 0;
    g.la = 0;
    g.disp = 0;
    g.rasp = 0;
    g.transfer = 0;
    g.stats = GeneratorRunStats{};
  }
  for (auto& q : queues_) {
    q.exists = false;
    q.name.clear();
    q.xc = q.yc = q.len = 0;
    q.transfer = 0;
    q.stats = QueueRunStats{};
  }
  for (auto& d : devices_) {
    d.exists = false;
    d.name.clear();
    d.xc = d.yc = d.k = 0;
    d.v = d.disp = 0;
    d.transfer = 0;
    d.stats = DeviceRunStats{};
  }
}

bool ModelStore::InUse(ElementKind kind, int slot) const {
  if (!IsValidSlot(slot))
    return false;
  switch (kind) {
    case ElementKind::Generator:
      return generator(slot).exists;
    case ElementKind::Queue:
      return queue(slot).exists;
    case ElementKind::Device:
      return device(slot).exists;
  }
  return false;
}

int ModelStore::CountInUse(ElementKind kind) const {
  int count = 0;
  for (int slot = 1; slot <= kSlotCount; ++slot)
    count += InUse(kind, slot);
  return count;
}

}  // namespace qsim
