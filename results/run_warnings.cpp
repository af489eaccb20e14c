#include "results/run_warnings.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/code_page.h"
#include "foundation/number_format.h"

namespace qsim {
namespace {

struct BadDurations {
  std::string element;  // "устройство 1 (D)"
  std::int64_t count = 0;
};

// "2 311": thousands set apart by a space, as Russian texts write counts.
std::string Grouped(std::int64_t count) {
  const std::string digits = IntegerText(count);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      grouped += ' ';
    grouped += digits[i];
  }
  return grouped;
}

std::string ElementText(std::string_view kind, int slot, const ElementName& name) {
  std::string text = std::string(kind) + IntegerText(slot);
  if (!name.view().empty())
    text += " (" + std::string(name.view()) + ")";
  return text;
}

std::vector<BadDurations> Offenders(const ModelStore& store) {
  std::vector<BadDurations> offenders;
  store.ForEachGenerator([&](int slot, const GeneratorRecord& g) {
    if (g.stats.bad_durations > 0)
      offenders.push_back({ElementText("генератор "_cp, slot, g.name), g.stats.bad_durations});
  });
  store.ForEachDevice([&](int slot, const DeviceRecord& d) {
    if (d.stats.bad_durations > 0)
      offenders.push_back({ElementText("устройство "_cp, slot, d.name), d.stats.bad_durations});
  });
  std::stable_sort(offenders.begin(), offenders.end(),
                   [](const BadDurations& a, const BadDurations& b) { return a.count > b.count; });
  return offenders;
}

}  // namespace

std::string DurationWarning(const ModelStore& store) {
  const std::vector<BadDurations> offenders = Offenders(store);
  const std::string past = store.past_events > 0 ? Grouped(store.past_events) : std::string();
  if (offenders.empty()) {
    if (past.empty())
      return {};
    return std::string("Внимание: в ходе расчета "_cp) + past +
           std::string(" событий назначено на время раньше текущего; результаты неверны."_cp);
  }
  std::int64_t total = 0;
  std::string listed;
  for (const BadDurations& offender : offenders) {
    total += offender.count;
    listed += (listed.empty() ? "" : "; ") + offender.element + ": " + Grouped(offender.count);
  }
  std::string text = std::string("Внимание: в ходе расчета получено "_cp) + Grouped(total) +
                     std::string(" отрицательных или нулевых длительностей ("_cp) + listed +
                     std::string(
                         "). Закон распределения с таким разбросом дает недопустимые "
                         "значения; результаты неверны."_cp);
  if (!past.empty()) {
    text += std::string(" Событий, назначенных на время раньше текущего: "_cp) + past + ".";
  }
  return text;
}

}  // namespace qsim
