#include "engine/route_check.h"

#include <algorithm>

#include "language/code_page.h"

namespace qsim {
namespace {

bool TargetExists(const ModelStore& store, const TransitionEntry& entry) {
  if (entry.kind == TargetKind::Terminator)
    return true;
  if (!ModelStore::IsValidSlot(entry.index))
    return false;
  if (entry.kind == TargetKind::Queue)
    return store.queue(entry.index).exists;
  if (entry.kind == TargetKind::Device)
    return store.device(entry.index).exists;
  return false;
}

// What is wrong with a transition's target, as the end of a sentence.
std::string TargetFault(const ModelStore& store, const TransitionEntry& entry,
                        bool (*allowed)(TargetKind)) {
  if (!allowed(entry.kind)) {
    return std::string("элемент недопустимого типа (код "_cp) +
           std::to_string(static_cast<int>(entry.kind)) + ")";
  }
  if (TargetExists(store, entry))
    return {};
  const std::string_view what = entry.kind == TargetKind::Queue ? "отсутствующую очередь "_cp
                                                                : "отсутствующее устройство "_cp;
  return std::string(what) + std::to_string(entry.index);
}

// True when a transition of an element in use leads to the given queue or device.
template <typename Record>
bool LeadsTo(const Record& record, TargetKind kind, int slot) {
  if (!record.exists)
    return false;
  for (int i = 1; i <= std::min(record.transfer, kMaxTransitions); ++i) {
    if (record.transitions[i].kind == kind && record.transitions[i].index == slot)
      return true;
  }
  return false;
}

bool Reachable(const ModelStore& store, TargetKind kind, int slot) {
  for (int s = 1; s <= kSlotCount; ++s) {
    if (LeadsTo(store.generator(s), kind, slot) || LeadsTo(store.queue(s), kind, slot) ||
        LeadsTo(store.device(s), kind, slot)) {
      return true;
    }
  }
  return false;
}

// A generator always makes requests; a queue or a device only needs a way out
// when some route leads into it.
template <typename Record>
std::optional<std::string> CheckRoutes(const ModelStore& store, const Record& record,
                                       std::string_view element, int slot,
                                       bool (*allowed)(TargetKind), TargetKind own_kind) {
  const std::string name = std::string(element) + std::to_string(slot);
  if (record.transfer < 1 || record.transfer > kMaxTransitions) {
    if (own_kind != TargetKind::None && !Reachable(store, own_kind, slot))
      return std::nullopt;
    return name + std::string(" не имеет переходов"_cp);
  }
  for (int i = 1; i <= record.transfer; ++i) {
    const std::string fault = TargetFault(store, record.transitions[i], allowed);
    if (!fault.empty()) {
      return name + std::string(": переход "_cp) + std::to_string(i) + std::string(" ведет в "_cp) +
             fault;
    }
  }
  return std::nullopt;
}

bool GeneratorTarget(TargetKind kind) {
  return kind == TargetKind::Queue;
}
bool QueueTarget(TargetKind kind) {
  return kind == TargetKind::Device;
}
bool DeviceTarget(TargetKind kind) {
  return kind == TargetKind::Queue || kind == TargetKind::Terminator;
}

}  // namespace

std::optional<std::string> FindRouteFault(const ModelStore& store) {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    std::optional<std::string> fault;
    if (store.generator(slot).exists) {
      fault = CheckRoutes(store, store.generator(slot), "Генератор "_cp, slot, GeneratorTarget,
                          TargetKind::None);
    }
    if (!fault && store.queue(slot).exists) {
      fault = CheckRoutes(store, store.queue(slot), "Очередь "_cp, slot, QueueTarget,
                          TargetKind::Queue);
    }
    if (!fault && store.device(slot).exists) {
      fault = CheckRoutes(store, store.device(slot), "Устройство "_cp, slot, DeviceTarget,
                          TargetKind::Device);
    }
    if (fault)
      return fault;
  }
  return std::nullopt;
}

}  // namespace qsim
