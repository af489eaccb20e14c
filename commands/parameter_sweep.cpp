#include "commands/parameter_sweep.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "foundation/code_page.h"
#include "results/traffic_analysis.h"

namespace qsim {
namespace {

bool FieldBelongsTo(SweepField field, ElementKind kind) {
  switch (field) {
    case SweepField::Intensity:
      return kind == ElementKind::Generator;
    case SweepField::Length:
      return kind == ElementKind::Queue;
    case SweepField::ServiceTime:
    case SweepField::Channels:
      return kind == ElementKind::Device;
  }
  return false;
}

// The values between the ends lie between them, so the ends tell.
std::optional<std::string> DomainFault(SweepField field, const SweepRange& range) {
  const auto value = [&](double end) { return IsWholeNumberField(field) ? std::round(end) : end; };
  const double low = std::min(value(range.from), value(range.to));
  const double high = std::max(value(range.from), value(range.to));
  switch (field) {
    case SweepField::Intensity:
      // A real intensity; the model check puts 1 in place of one that is not positive.
      if (!(low > 0))
        return std::string("Интенсивность потока должна быть больше 0"_cp);
      break;
    case SweepField::Length:
      if (low < 1 || high > kMaxQueueLength) {
        return std::string("Длина очереди должна быть от 1 до "_cp) + IntegerText(kMaxQueueLength);
      }
      break;
    case SweepField::ServiceTime:
      if (!(low > 0))
        return std::string("Среднее время обслуживания должно быть больше 0"_cp);
      break;
    case SweepField::Channels:
      if (low < 1 || high > kMaxChannels)
        return std::string("Число каналов должно быть от 1 до "_cp) + IntegerText(kMaxChannels);
      break;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> SweepColumns(const ModelStore& store) {
  std::vector<std::string> columns;
  store.ForEachGenerator([&](int slot, const GeneratorRecord&) {
    const std::string name = "generator_" + std::to_string(slot);
    columns.insert(columns.end(), {name + "_served", name + "_refused", name + "_mean_stay"});
  });
  store.ForEachQueue([&](int slot, const QueueRecord&) {
    const std::string name = "queue_" + std::to_string(slot);
    columns.insert(columns.end(), {name + "_mean_length", name + "_mean_wait"});
  });
  store.ForEachDevice([&](int slot, const DeviceRecord&) {
    columns.push_back("device_" + std::to_string(slot) + "_utilisation");
  });
  return columns;
}

std::vector<std::optional<double>> SweepPredictions(const ModelStore& store) {
  const TrafficAnalysis analysis = AnalyzeTraffic(store);
  std::vector<std::optional<double>> predicted(3 * store.CountInUse(ElementKind::Generator));
  const auto fed_queue = [&](int slot) -> const DeviceTraffic* {
    for (const DeviceTraffic& device : analysis.devices) {
      if (device.queue_slot == slot && device.prediction)
        return &device;
    }
    return nullptr;
  };
  store.ForEachQueue([&](int slot, const QueueRecord&) {
    const DeviceTraffic* device = fed_queue(slot);
    predicted.push_back(device ? std::optional(device->prediction->mean_queue_length)
                               : std::nullopt);
    predicted.push_back(device ? std::optional(device->prediction->mean_wait) : std::nullopt);
  });
  for (const DeviceTraffic& device : analysis.devices) {
    if (!device.prediction) {
      predicted.push_back(std::nullopt);
      continue;
    }
    // Only the requests that were not refused keep a channel busy.
    predicted.push_back(device.load * (1 - device.prediction->refusal_probability));
  }
  return predicted;
}

std::optional<std::string> SweepRangeFault(const ModelStore& store, const SweepRange& range) {
  const SweepParameter& p = range.parameter;
  if (!store.InUse(p.kind, p.slot)) {
    const std::string_view kind = p.kind == ElementKind::Generator ? "генератора "_cp
                                  : p.kind == ElementKind::Queue   ? "очереди "_cp
                                                                   : "устройства "_cp;
    return std::string("В модели нет "_cp) + std::string(kind) + std::to_string(p.slot);
  }
  if (!FieldBelongsTo(p.field, p.kind))
    return std::string("У элемента нет такого параметра"_cp);
  if (range.steps < 1 || range.steps > kMaxSweepSteps) {
    return std::string("Число шагов должно быть от 1 до 100000"_cp);
  }
  if (!std::isfinite(range.from) || !std::isfinite(range.to)) {
    return std::string("Границы диапазона должны быть числами"_cp);
  }
  const double limit = std::numeric_limits<std::int32_t>::max();
  if (IsWholeNumberField(p.field) &&
      (std::fabs(range.from) > limit || std::fabs(range.to) > limit)) {
    return std::string("Границы диапазона вне допустимых значений"_cp);
  }
  return DomainFault(p.field, range);
}

std::string SweepCsv(const std::vector<std::string>& columns, const std::vector<SweepPoint>& points,
                     bool with_intervals, bool with_values) {
  const NumberFormat point_format{'.'};
  const auto number = [&](const std::optional<double>& value) {
    return value ? NumberText(*value, point_format) : std::string();
  };
  std::string csv = "value";
  for (const std::string& column : columns) {
    csv += "," + column;
    if (with_intervals)
      csv += "," + column + "_ci95";
  }
  csv += "\n";
  for (const SweepPoint& point : points) {
    if (with_values)
      csv += NumberText(point.value, point_format);
    for (const SweepStatistic& statistic : point.statistics) {
      csv += "," + number(statistic.mean);
      if (with_intervals)
        csv += "," + number(statistic.half_width);
    }
    csv += "\n";
  }
  return csv;
}

}  // namespace qsim
