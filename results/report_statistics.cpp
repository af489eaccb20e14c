#include "results/report_statistics.h"

#include "results/html_text.h"

namespace qsim {
namespace {

// Added to the count of entries that waited, so that a queue where every wait was
// zero shows a mean of 0 rather than a division by zero.
constexpr double kWaitDivisorGuard = 1e-10;

// numerator / divisor, or the mark when the divisor is zero.
std::string Ratio(double numerator, double divisor, const NumberFormat& format) {
  if (divisor == 0)
    return std::string(kNoValueMark);
  return NumberText(numerator / divisor, format);
}

// Busy time per unit of model time, then per channel; dividing once by now × k
// would round differently.
std::string Utilisation(const DeviceRecord& d, double now, const NumberFormat& format) {
  if (now == 0 || d.k == 0)
    return std::string(kNoValueMark);
  return NumberText(d.service_sum / now / d.k, format);
}

std::string NameCell(int slot, const ElementName& name) {
  return IntegerText(slot) + ". " + HtmlText(name.view());
}

}  // namespace

std::vector<std::string> GeneratorStatisticsCells(int slot, const GeneratorRecord& g,
                                                  const NumberFormat& format) {
  const double removed = static_cast<double>(g.served) + g.unserved;
  return {NameCell(slot, g.name),         IntegerText(g.served),
          IntegerText(g.unserved),        Ratio(g.sum_stay, removed, format),
          NumberText(g.min_stay, format), NumberText(g.max_stay, format)};
}

std::vector<std::string> QueueStatisticsCells(int slot, const QueueRecord& q, double now,
                                              const NumberFormat& format) {
  std::vector<std::string> cells = {NameCell(slot, q.name), IntegerText(q.max_len),
                                    IntegerText(q.entries), IntegerText(q.zero_entries)};
  if (q.entries > 0) {
    const auto waited = static_cast<double>(q.entries - q.zero_entries);
    cells.push_back(Ratio(q.len_area, now, format));
    cells.push_back(Ratio(q.sum_wait, q.entries, format));
    cells.push_back(Ratio(q.sum_wait, waited + kWaitDivisorGuard, format));
  } else {
    cells.insert(cells.end(), 3, NumberText(0, format));
  }
  cells.push_back(NumberText(q.max_wait, format));
  return cells;
}

std::vector<std::string> DeviceStatisticsCells(int slot, const DeviceRecord& d, double now,
                                               const NumberFormat& format) {
  return {NameCell(slot, d.name),          IntegerText(d.starts),
          Utilisation(d, now, format),     Ratio(d.service_sum, d.starts, format),
          Ratio(d.busy_area, now, format), IntegerText(d.max_busy)};
}

}  // namespace qsim
