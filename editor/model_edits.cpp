#include "editor/model_edits.h"

#include "foundation/code_page.h"

namespace qsim {
namespace {

// Removes, from every element of the given kind in use, the transitions that
// `leads_to_deleted` names, keeping the order of the others.
template <typename Record, typename Predicate>
void RemoveTransitionsOf(Record& record, Predicate leads_to_deleted) {
  if (!record.exists)
    return;
  int kept = 0;
  for (int i = 1; i <= record.transfer; ++i) {
    if (!leads_to_deleted(record.transitions[i]))
      record.transitions[++kept] = record.transitions[i];
  }
  record.transfer = kept;
}

std::string TransitionItem(ElementKind kind, const TransitionEntry& entry,
                           const NumberFormat& format) {
  // Built by insert: clang 14 crashes on a string variable initialised from a "_cp" literal.
  const std::string probability = NumberText(entry.prob, format).insert(0, " с вер. "_cp);
  const std::string index = std::to_string(entry.index);
  if (kind == ElementKind::Generator)
    return std::string("очередь "_cp) + index + probability;
  if (kind == ElementKind::Queue)
    return std::string("устройство "_cp) + index + probability;
  if (entry.kind == TargetKind::Queue)
    return std::string("очередь "_cp) + index + probability;
  if (entry.kind == TargetKind::Terminator)
    return std::string("терминатор"_cp) + probability;
  return std::string("элемент с кодом "_cp) + std::to_string(static_cast<int>(entry.kind)) +
         probability;
}

// The field of the element in the slot that the member of its kind names;
// `Store` is const or not.
template <typename Store, typename G, typename Q, typename D>
auto& FieldOf(Store& store, ElementKind kind, int slot, G GeneratorRecord::*of_generator,
              Q QueueRecord::*of_queue, D DeviceRecord::*of_device) {
  switch (kind) {
    case ElementKind::Generator:
      return store.generator(slot).*of_generator;
    case ElementKind::Queue:
      return store.queue(slot).*of_queue;
    case ElementKind::Device:
      break;
  }
  return store.device(slot).*of_device;
}

}  // namespace

std::optional<int> FreeSlot(const ModelStore& store, ElementKind kind) {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    if (!store.InUse(kind, slot))
      return slot;
  }
  return std::nullopt;
}

std::int32_t& TransferOf(ModelStore& store, ElementKind kind, int slot) {
  return FieldOf(store, kind, slot, &GeneratorRecord::transfer, &QueueRecord::transfer,
                 &DeviceRecord::transfer);
}

std::int32_t TransferOf(const ModelStore& store, ElementKind kind, int slot) {
  return FieldOf(store, kind, slot, &GeneratorRecord::transfer, &QueueRecord::transfer,
                 &DeviceRecord::transfer);
}

TransitionTable& TransitionsOf(ModelStore& store, ElementKind kind, int slot) {
  return FieldOf(store, kind, slot, &GeneratorRecord::transitions, &QueueRecord::transitions,
                 &DeviceRecord::transitions);
}

const TransitionTable& TransitionsOf(const ModelStore& store, ElementKind kind, int slot) {
  return FieldOf(store, kind, slot, &GeneratorRecord::transitions, &QueueRecord::transitions,
                 &DeviceRecord::transitions);
}

double SuggestedProbability(const ModelStore& store, ElementKind kind, int slot) {
  double sum = 0;
  const TransitionTable& transitions = TransitionsOf(store, kind, slot);
  for (int i = 1; i <= TransferOf(store, kind, slot); ++i)
    sum += transitions[i].prob;
  return 1 - sum;
}

void AppendTransition(ModelStore& store, ElementKind kind, int slot, TargetKind target,
                      int target_slot, double probability) {
  std::int32_t& transfer = TransferOf(store, kind, slot);
  TransitionsOf(store, kind, slot)[transfer + 1] = {probability, target, target_slot};
  ++transfer;
}

std::vector<std::string> TransitionItems(const ModelStore& store, ElementKind kind, int slot,
                                         const NumberFormat& format) {
  std::vector<std::string> items;
  const TransitionTable& transitions = TransitionsOf(store, kind, slot);
  for (int i = 1; i <= TransferOf(store, kind, slot); ++i) {
    items.push_back(TransitionItem(kind, transitions[i], format));
  }
  return items;
}

void RemoveTransition(ModelStore& store, ElementKind kind, int slot, int number) {
  std::int32_t& transfer = TransferOf(store, kind, slot);
  TransitionTable& transitions = TransitionsOf(store, kind, slot);
  for (int i = number; i < transfer; ++i)
    transitions[i] = transitions[i + 1];
  --transfer;
}

void DeleteElement(ModelStore& store, ElementKind kind, int slot) {
  switch (kind) {
    case ElementKind::Generator: {
      GeneratorRecord& g = store.generator(slot);
      g.exists = false;
      g.name.clear();
      g.xc = g.yc = g.transfer = g.prior = 0;
      g.la = 0;
      g.disp = 0;
      g.rasp = 0;
      return;
    }
    case ElementKind::Queue: {
      QueueRecord& q = store.queue(slot);
      q.exists = false;
      q.name.clear();
      q.xc = q.yc = q.transfer = q.len = 0;
      q.discip = kFifo;
      for (int s = 1; s <= kSlotCount; ++s) {
        RemoveTransitionsOf(store.generator(s),
                            [slot](const TransitionEntry& e) { return e.index == slot; });
        RemoveTransitionsOf(store.device(s), [slot](const TransitionEntry& e) {
          return e.kind == TargetKind::Queue && e.index == slot;
        });
      }
      return;
    }
    case ElementKind::Device: {
      DeviceRecord& d = store.device(slot);
      d.exists = false;
      d.name.clear();
      d.xc = d.yc = d.transfer = d.k = 0;
      d.v = d.disp = 0;
      d.rasp = 0;
      for (int s = 1; s <= kSlotCount; ++s) {
        RemoveTransitionsOf(store.queue(s),
                            [slot](const TransitionEntry& e) { return e.index == slot; });
      }
      return;
    }
  }
}

void MoveElement(ModelStore& store, ElementKind kind, int slot, int x, int y) {
  switch (kind) {
    case ElementKind::Generator:
      store.generator(slot).xc = x, store.generator(slot).yc = y;
      break;
    case ElementKind::Queue:
      store.queue(slot).xc = x, store.queue(slot).yc = y;
      break;
    case ElementKind::Device:
      store.device(slot).xc = x, store.device(slot).yc = y;
      break;
  }
}

std::string ElementDescription(const ModelStore& store, ElementKind kind, int slot) {
  std::string_view prefix = "Генератор "_cp;
  std::string_view name = store.generator(slot).name.view();
  if (kind == ElementKind::Queue) {
    prefix = "Очередь "_cp;
    name = store.queue(slot).name.view();
  } else if (kind == ElementKind::Device) {
    prefix = "Устройство "_cp;
    name = store.device(slot).name.view();
  }
  return std::string(prefix) + std::to_string(slot) + " (" + std::string(name) + ")";
}

}  // namespace qsim
