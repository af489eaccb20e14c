#include "commands/parameter_sweep.h"

#include <array>
#include <cmath>
#include <limits>
#include <memory>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_validation.h"
#include "results/report_statistics.h"
#include "results/traffic_analysis.h"

namespace qsim {
namespace {

constexpr int kMaxSteps = 100000;

bool IsWholeNumberField(SweepField field) {
  return field != SweepField::ServiceTime;
}

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

double ValueAt(const SweepRange& range, int step) {
  double value = range.steps == 1 ? range.from
                                  : range.from + (range.to - range.from) * step / (range.steps - 1);
  if (IsWholeNumberField(range.parameter.field))
    value = std::round(value);
  return value;
}

void Apply(ModelStore& store, const SweepParameter& parameter, double value) {
  const int slot = parameter.slot;
  switch (parameter.field) {
    case SweepField::Intensity:
      store.generator(slot).la = static_cast<int>(value);
      break;
    case SweepField::Length:
      store.queue(slot).len = static_cast<int>(value);
      break;
    case SweepField::ServiceTime:
      store.device(slot).v = value;
      break;
    case SweepField::Channels:
      store.device(slot).k = static_cast<int>(value);
      break;
  }
}

// The statistics of the finished run, in the order of SweepColumns.
std::vector<std::optional<double>> Collect(const ModelStore& store) {
  std::vector<std::optional<double>> values;
  store.ForEachGenerator([&](int, const GeneratorRecord& g) {
    values.insert(values.end(),
                  {static_cast<double>(g.served), static_cast<double>(g.unserved), MeanStay(g)});
  });
  store.ForEachQueue([&](int, const QueueRecord& q) {
    values.insert(values.end(), {MeanQueueLength(q, store.now), MeanWait(q)});
  });
  store.ForEachDevice(
      [&](int, const DeviceRecord& d) { values.push_back(Utilisation(d, store.now)); });
  return values;
}

// Student's t for a two-sided 95 % interval with `df` degrees of freedom.
double StudentT95(int df) {
  static constexpr std::array<double, 30> kTable = {
      12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
      2.201,  2.179, 2.160, 2.145, 2.131, 2.120, 2.110, 2.101, 2.093, 2.086,
      2.080,  2.074, 2.069, 2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042};
  if (df <= 30)
    return kTable[static_cast<std::size_t>(df - 1)];
  if (df <= 60)
    return 2.000;
  if (df <= 120)
    return 1.980;
  return 1.960;
}

SweepStatistic Summarise(const std::vector<double>& samples) {
  SweepStatistic statistic;
  if (samples.empty())
    return statistic;
  const double n = static_cast<double>(samples.size());
  double sum = 0;
  for (double x : samples)
    sum += x;
  const double mean = sum / n;
  statistic.mean = mean;
  if (samples.size() < 2)
    return statistic;
  double squares = 0;
  for (double x : samples)
    squares += (x - mean) * (x - mean);
  const double deviation = std::sqrt(squares / (n - 1));
  statistic.half_width =
      StudentT95(static_cast<int>(samples.size()) - 1) * deviation / std::sqrt(n);
  return statistic;
}

// Puts the model back as it was, however the series ends.
class RestoreOnExit {
 public:
  explicit RestoreOnExit(ModelStore& store)
      : store_(store), saved_(std::make_unique<ModelStore>(store)) {}
  ~RestoreOnExit() { store_ = *saved_; }
  RestoreOnExit(const RestoreOnExit&) = delete;
  RestoreOnExit& operator=(const RestoreOnExit&) = delete;
  const ModelStore& saved() const { return *saved_; }

 private:
  ModelStore& store_;
  std::unique_ptr<ModelStore> saved_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += (text.empty() ? "" : " ") + line;
  return text;
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
  if (range.steps < 1 || range.steps > kMaxSteps) {
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
  return std::nullopt;
}

std::vector<SweepPoint> RunSweep(ModelStore& store, Simulation& simulation, const SweepRange& range,
                                 int replications, const NumberFormat& format,
                                 const RunControls& controls) {
  if (const auto fault = SweepRangeFault(store, range))
    throw QsimError(*fault);
  if (replications < 1)
    throw QsimError(std::string("Число повторений должно быть не меньше 1"_cp));
  const RestoreOnExit restore(store);
  const std::size_t column_count = SweepColumns(store).size();
  // Every report carries the run's place in the series, and every run ends with
  // one, so that the place moves on also when the runs are short.
  SeriesPlace place{.points = range.steps, .runs = replications};
  RunControls placed = controls;
  if (controls.progress) {
    placed.progress = [&](RunProgress progress) {
      progress.series = place;
      controls.progress(progress);
    };
  }
  std::vector<SweepPoint> points;
  for (int step = 0; step < range.steps; ++step) {
    SweepPoint point{ValueAt(range, step), {}, {}};
    std::vector<std::vector<double>> samples(column_count);
    for (int run = 0; run < replications; ++run) {
      store = restore.saved();
      Apply(store, range.parameter, point.value);
      const ValidationResult check = ValidateModel(store, format);
      if (check.blocking)
        throw QsimError(Joined(check.findings));
      place.point = step + 1;
      place.run = run + 1;
      const RunResult result = simulation.RunSimulation(nullptr, placed);
      if (placed.progress)
        placed.progress(ProgressOf(store, result.events));
      if (result.outcome != RunOutcome::Finished)
        return points;
      const auto values = Collect(store);
      for (std::size_t i = 0; i < column_count; ++i) {
        if (values[i])
          samples[i].push_back(*values[i]);
      }
    }
    for (const auto& column : samples)
      point.statistics.push_back(Summarise(column));
    point.predicted = SweepPredictions(store);
    points.push_back(std::move(point));
  }
  return points;
}

std::string SweepCsv(const std::vector<std::string>& columns, const std::vector<SweepPoint>& points,
                     bool with_intervals) {
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
