#include "results/run_warnings.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/code_page.h"
#include "foundation/display_number.h"
#include "foundation/number_format.h"

namespace qsim {
namespace {

// "Внимание: в ходе расчета получено " in Windows-1251 bytes: clang 14, which
// builds the fuzz targets, crashes on this literal converted at compile time here.
constexpr std::string_view kWarningStart =
    "\xC2\xED\xE8\xEC\xE0\xED\xE8\xE5: \xE2 \xF5\xEE\xE4\xE5 \xF0\xE0\xF1\xF7\xE5\xF2\xE0 "
    "\xEF\xEE\xEB\xF3\xF7\xE5\xED\xEE ";

struct BadDurations {
  std::string element;  // "устройство 1 (D)"
  std::int64_t count = 0;
};

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
  const std::string past =
      store.past_events > 0 ? GroupedInteger(store.past_events) : std::string();
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
    listed +=
        (listed.empty() ? "" : "; ") + offender.element + ": " + GroupedInteger(offender.count);
  }
  std::string text = std::string(kWarningStart) + GroupedInteger(total) +
                     std::string(" отрицательных или нулевых длительностей ("_cp) + listed +
                     std::string(
                         "). Закон распределения с таким разбросом дает недопустимые "
                         "значения; результаты неверны."_cp);
  if (!past.empty()) {
    text += std::string(" Событий, назначенных на время раньше текущего: "_cp) + past + ".";
  }
  return text;
}

std::string OverloadWarning(const ModelStore& store, const TrafficAnalysis& analysis,
                            const NumberFormat& format) {
  if (!store.settings.process_all)
    return {};
  std::string warning;
  for (const DeviceTraffic& device : analysis.devices) {
    if (!device.overloaded())
      continue;
    if (!warning.empty())
      warning += ' ';
    warning += std::string("Загрузка канала устройства "_cp) +
               ElementText("", device.slot, store.device(device.slot).name) +
               std::string(" равна "_cp) + ShortNumberText(device.load, format) +
               std::string(
                   ", не меньше 1: в системе без отказов очередь к нему будет "
                   "расти без предела."_cp);
  }
  return warning;
}

}  // namespace qsim
