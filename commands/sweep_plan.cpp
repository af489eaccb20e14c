#include "commands/sweep_plan.h"

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

std::string EntryText(std::string_view what, int slot, const ElementName& name) {
  return std::string(what) + std::to_string(slot) + " (" + name.str() + ")";
}

// The current value of the parameter, as the range's start.
double CurrentValue(const ModelStore& store, const SweepParameter& p) {
  switch (p.field) {
    case SweepField::Intensity:
      return store.generator(p.slot).la;
    case SweepField::Length:
      return store.queue(p.slot).len;
    case SweepField::ServiceTime:
      return store.device(p.slot).v;
    case SweepField::Channels:
      return store.device(p.slot).k;
  }
  return 0;
}

std::string ValueText(double value, SweepField field, const NumberFormat& format) {
  if (!IsWholeNumberField(field))
    return NumberText(value, format);
  return std::to_string(static_cast<std::int64_t>(value));
}

}  // namespace

void SweepPlan::Rebuild(const ModelStore& store) {
  entries_.clear();
  store.ForEachGenerator([&](int slot, const GeneratorRecord& g) {
    entries_.push_back({EntryText("Интенсивность потока заявок генератора "_cp, slot, g.name),
                        {ElementKind::Generator, slot, SweepField::Intensity}});
  });
  store.ForEachQueue([&](int slot, const QueueRecord& q) {
    entries_.push_back({EntryText("Длина очереди "_cp, slot, q.name),
                        {ElementKind::Queue, slot, SweepField::Length}});
  });
  store.ForEachDevice([&](int slot, const DeviceRecord& d) {
    entries_.push_back({EntryText("Среднее время обслуживания в устройстве "_cp, slot, d.name),
                        {ElementKind::Device, slot, SweepField::ServiceTime}});
    entries_.push_back({EntryText("Число каналов в устройстве "_cp, slot, d.name),
                        {ElementKind::Device, slot, SweepField::Channels}});
  });
}

std::pair<std::string, std::string> SweepPlan::ShownValues(const ModelStore& store, int index,
                                                           const NumberFormat& format) const {
  const SweepParameter& p = entries_.at(static_cast<std::size_t>(index)).parameter;
  return {ValueText(CurrentValue(store, p), p.field, format),
          ValueText(RecordedRangeOf(p).to, p.field, format)};
}

std::optional<std::string> SweepPlan::Add(const ModelStore& store, int index,
                                          const std::string& end_text, const std::string& step_text,
                                          const NumberFormat& format) {
  const int steps = ParseInteger(step_text);
  if (steps < 2) {
    throw QsimError(std::string("Число шагов должно быть не меньше 2"_cp));
  }
  step_count_ = steps;
  step_count_locked_ = true;
  if (index < 0 || index >= static_cast<int>(entries_.size()))
    return std::nullopt;
  const SweepEntry& entry = entries_[static_cast<std::size_t>(index)];
  const SweepParameter& p = entry.parameter;
  const double from = CurrentValue(store, p);
  const double to =
      IsWholeNumberField(p.field) ? ParseInteger(end_text) : ParseReal(end_text, format);
  const double step = (to - from) / (step_count_ - 1);
  recorded_[{p.field, p.slot}] = {from, to, step};
  std::string line = entry.text + std::string(" от "_cp) + ValueText(from, p.field, format) +
                     std::string(" до "_cp) + ValueText(to, p.field, format) +
                     std::string(" шаг: "_cp) + NumberText(step, format);
  lines_.push_back(line);
  ranges_.push_back({p, from, to, step_count_});
  return line;
}

void SweepPlan::Clear(const ModelStore& store) {
  for (const SweepRange& range : ranges_) {
    if (store.InUse(range.parameter.kind, range.parameter.slot))
      recorded_.erase({range.parameter.field, range.parameter.slot});
  }
  lines_.clear();
  ranges_.clear();
  step_count_locked_ = false;
}

RecordedRange SweepPlan::RecordedRangeOf(const SweepParameter& parameter) const {
  const auto found = recorded_.find({parameter.field, parameter.slot});
  return found == recorded_.end() ? RecordedRange{} : found->second;
}

}  // namespace qsim
