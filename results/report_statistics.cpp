#include "results/report_statistics.h"

#include "results/html_text.h"

namespace qsim {
namespace {

// Added to the count of entries that waited, so that a queue where every wait was
// zero shows a mean of 0 rather than a division by zero.
constexpr double kWaitDivisorGuard = 1e-10;

// numerator / divisor; none when the divisor is zero.
std::optional<double> Ratio(double numerator, double divisor) {
  if (divisor == 0)
    return std::nullopt;
  return numerator / divisor;
}

// A value, or the mark where it has none.
std::string Cell(std::optional<double> value, const NumberFormat& format) {
  return value ? NumberText(*value, format) : std::string(kNoValueMark);
}

std::string NameCell(int slot, const ElementName& name) {
  return IntegerText(slot) + ". " + HtmlText(name.view());
}

}  // namespace

std::optional<double> MeanStay(const GeneratorRecord& g) {
  return Ratio(g.stats.sum_stay, static_cast<double>(g.stats.served) + g.stats.unserved);
}

std::optional<double> MeanQueueLength(const QueueRecord& q, double now) {
  return q.stats.entries > 0 ? Ratio(q.stats.len_area, now) : 0.0;
}

std::optional<double> MeanWait(const QueueRecord& q) {
  return q.stats.entries > 0 ? Ratio(q.stats.sum_wait, q.stats.entries) : 0.0;
}

// Busy time per unit of model time, then per channel; dividing once by now × k
// would round differently.
std::optional<double> Utilisation(const DeviceRecord& d, double now) {
  if (now == 0 || d.k == 0)
    return std::nullopt;
  return d.stats.service_sum / now / d.k;
}

std::vector<std::string> GeneratorStatisticsCells(int slot, const GeneratorRecord& g,
                                                  const NumberFormat& format) {
  return {NameCell(slot, g.name),
          IntegerText(g.stats.served),
          IntegerText(g.stats.unserved),
          Cell(MeanStay(g), format),
          NumberText(g.stats.min_stay, format),
          NumberText(g.stats.max_stay, format)};
}

std::vector<std::string> QueueStatisticsCells(int slot, const QueueRecord& q, double now,
                                              const NumberFormat& format) {
  std::vector<std::string> cells = {NameCell(slot, q.name), IntegerText(q.stats.max_len),
                                    IntegerText(q.stats.entries),
                                    IntegerText(q.stats.zero_entries)};
  const auto waited = static_cast<double>(q.stats.entries - q.stats.zero_entries);
  cells.push_back(Cell(MeanQueueLength(q, now), format));
  cells.push_back(Cell(MeanWait(q), format));
  cells.push_back(Cell(
      q.stats.entries > 0 ? Ratio(q.stats.sum_wait, waited + kWaitDivisorGuard) : 0.0, format));
  cells.push_back(NumberText(q.stats.max_wait, format));
  return cells;
}

std::vector<std::string> DeviceStatisticsCells(int slot, const DeviceRecord& d, double now,
                                               const NumberFormat& format) {
  return {NameCell(slot, d.name),
          IntegerText(d.stats.starts),
          Cell(Utilisation(d, now), format),
          Cell(Ratio(d.stats.service_sum, d.stats.starts), format),
          Cell(Ratio(d.stats.busy_area, now), format),
          IntegerText(d.stats.max_busy)};
}

}  // namespace qsim
