#include "model/route_check.h"

#include <algorithm>

#include "foundation/code_page.h"
#include "foundation/overloaded.h"

namespace qsim {
namespace {

bool CanLeadTo(ElementKind source, TargetKind target) {
  switch (source) {
    case ElementKind::Generator:
      return target == TargetKind::Queue;
    case ElementKind::Queue:
      return target == TargetKind::Device;
    case ElementKind::Device:
      return target == TargetKind::Queue || target == TargetKind::Terminator;
  }
  return false;
}

bool TargetExists(const ModelStore& store, const TransitionEntry& entry) {
  if (entry.kind == TargetKind::Terminator)
    return true;
  if (!ModelStore::IsValidSlot(entry.index))
    return false;
  if (entry.kind == TargetKind::Queue)
    return store.queue(entry.index).exists;
  return entry.kind == TargetKind::Device && store.device(entry.index).exists;
}

// Transitions an element holds; a count beyond the table is held to it.
template <typename Record>
int TransitionCount(const Record& record) {
  return std::clamp(record.transfer, 0, kMaxTransitions);
}

// True when a transition of the element leads to the given queue or device.
template <typename Record>
bool LeadsTo(const Record& record, TargetKind kind, int slot) {
  for (int i = 1; i <= TransitionCount(record); ++i) {
    if (record.transitions[i].kind == kind && record.transitions[i].index == slot)
      return true;
  }
  return false;
}

bool Reachable(const ModelStore& store, TargetKind kind, int slot) {
  bool reached = false;
  store.ForEachElement(
      [&](int, const auto& record) { reached = reached || LeadsTo(record, kind, slot); });
  return reached;
}

// A generator always makes requests; a queue or a device only needs a way out
// when some route leads into it.
template <typename Record>
std::optional<std::string> CheckRoutes(const ModelStore& store, const Record& record,
                                       ElementKind kind, std::string_view element, int slot) {
  const std::string name = std::string(element) + std::to_string(slot);
  if (record.transfer < 1 || record.transfer > kMaxTransitions) {
    const TargetKind as_target =
        kind == ElementKind::Queue ? TargetKind::Queue : TargetKind::Device;
    if (kind != ElementKind::Generator && !Reachable(store, as_target, slot))
      return std::nullopt;
    return name + std::string(" не имеет переходов"_cp);
  }
  for (int i = 1; i <= record.transfer; ++i) {
    const TransitionFault fault = CheckTransition(store, kind, record.transitions[i]);
    if (fault != TransitionFault::None)
      return name + ": " + TransitionFaultText(i, record.transitions[i], fault);
  }
  return std::nullopt;
}

// What a faulty transition leads to, as the end of a sentence.
std::string TargetText(const TransitionEntry& entry, TransitionFault fault) {
  if (fault == TransitionFault::ForbiddenKind) {
    return std::string("ведет в элемент недопустимого типа (код "_cp) +
           std::to_string(static_cast<int>(entry.kind)) + ")";
  }
  const std::string_view what = entry.kind == TargetKind::Queue
                                    ? "ведет в несуществующую очередь "_cp
                                    : "ведет в несуществующее устройство "_cp;
  return std::string(what) + std::to_string(entry.index);
}

}  // namespace

TransitionFault CheckTransition(const ModelStore& store, ElementKind source,
                                const TransitionEntry& entry) {
  if (!CanLeadTo(source, entry.kind))
    return TransitionFault::ForbiddenKind;
  return TargetExists(store, entry) ? TransitionFault::None : TransitionFault::MissingTarget;
}

std::string TransitionFaultText(int number, const TransitionEntry& entry, TransitionFault fault) {
  return std::string("переход "_cp) + std::to_string(number) + " " + TargetText(entry, fault);
}

std::optional<std::string> FindRouteFault(const ModelStore& store) {
  std::optional<std::string> fault;
  const auto check = [&](int slot, const auto& record, ElementKind kind, std::string_view element) {
    if (!fault)
      fault = CheckRoutes(store, record, kind, element, slot);
  };
  store.ForEachElement(Overloaded{
      [&](int slot, const GeneratorRecord& g) {
        check(slot, g, ElementKind::Generator, "Генератор "_cp);
      },
      [&](int slot, const QueueRecord& q) { check(slot, q, ElementKind::Queue, "Очередь "_cp); },
      [&](int slot, const DeviceRecord& d) {
        check(slot, d, ElementKind::Device, "Устройство "_cp);
      }});
  return fault;
}

}  // namespace qsim
