#include "commands/series_run.h"

#include <cmath>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_validation.h"
#include "results/confidence_interval.h"
#include "results/report_statistics.h"
#include "results/run_warnings.h"

namespace qsim {
namespace {

void Apply(ModelStore& store, const SweepParameter& parameter, double value) {
  const int slot = parameter.slot;
  switch (parameter.field) {
    case SweepField::Intensity:
      store.generator(slot).la = value;
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
    values.insert(values.end(), {static_cast<double>(g.stats.served),
                                 static_cast<double>(g.stats.unserved), MeanStay(g)});
  });
  store.ForEachQueue([&](int, const QueueRecord& q) {
    values.insert(values.end(), {MeanQueueLength(q, store.now), MeanWait(q)});
  });
  store.ForEachDevice(
      [&](int, const DeviceRecord& d) { values.push_back(Utilisation(d, store.now)); });
  return values;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += (text.empty() ? "" : " ") + line;
  return text;
}

SweepStatistic Summarise(const std::vector<double>& samples) {
  const std::optional<MeanInterval> interval = MeanInterval95(samples);
  if (!interval)
    return {};
  return {interval->mean, interval->half_width};
}

// The statistics of `point` over its replications, which all finished.
SweepPoint PointOf(const SeriesDefinition& series, std::int64_t point,
                   const std::vector<std::optional<SeriesRunResult>>& results) {
  SweepPoint summary{SeriesPointValue(series, point), {}, {}, {}};
  std::vector<std::vector<double>> samples;
  for (int r = 0; r < series.replications; ++r) {
    const auto& values = results[static_cast<std::size_t>(point * series.replications + r)]->values;
    samples.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (values[i])
        samples[i].push_back(*values[i]);
    }
  }
  for (const auto& column : samples)
    summary.statistics.push_back(Summarise(column));
  for (int r = 0; r < series.replications && summary.warning.empty(); ++r)
    summary.warning = results[static_cast<std::size_t>(point * series.replications + r)]->warning;
  return summary;
}

}  // namespace

std::int64_t SeriesPointCount(const SeriesDefinition& series) {
  return series.range ? series.range->steps : 1;
}

std::int64_t SeriesRunCount(const SeriesDefinition& series) {
  return SeriesPointCount(series) * series.replications;
}

double SeriesPointValue(const SeriesDefinition& series, std::int64_t point) {
  if (!series.range)
    return 0;
  const SweepRange& range = *series.range;
  const std::int64_t last = range.steps - 1;
  double value = point == 0 ? range.from
                 : point == last
                     ? range.to
                     : range.from + (range.to - range.from) * static_cast<double>(point) / last;
  if (IsWholeNumberField(range.parameter.field))
    value = std::round(value);
  return value;
}

void CheckSeries(const ModelStore& model, const SeriesDefinition& series) {
  if (series.range) {
    if (const auto fault = SweepRangeFault(model, *series.range))
      throw QsimError(*fault);
  }
  if (series.replications < 1 || series.replications > kMaxReplications) {
    throw QsimError(std::string("Число повторений должно быть от 1 до "_cp) +
                    IntegerText(kMaxReplications));
  }
  if (SeriesRunCount(series) > kMaxSeriesRuns) {
    throw QsimError(std::string("В серии больше "_cp) + IntegerText(kMaxSeriesRuns) +
                    std::string(" прогонов (точек, умноженных на повторения)"_cp));
  }
}

SeriesRunner::SeriesRunner(const ModelStore& model, const SeriesDefinition& series,
                           const NumberFormat& format)
    : model_(model),
      series_(series),
      format_(format),
      store_(std::make_unique<ModelStore>(model)),
      simulation_(*store_, random_) {}

SeriesRunner::~SeriesRunner() = default;

const ModelStore& SeriesRunner::PreparePoint(std::int64_t point) {
  *store_ = model_;
  if (series_.range)
    Apply(*store_, series_.range->parameter, SeriesPointValue(series_, point));
  const ValidationResult check = ValidateModel(*store_, format_);
  if (check.blocking)
    throw QsimError(Joined(check.findings));
  return *store_;
}

SeriesRunResult SeriesRunner::Run(std::int64_t run, const RunControls& controls) {
  const auto replication = static_cast<std::uint32_t>(run % series_.replications);
  try {
    PreparePoint(run / series_.replications);
    random_ = RandomGenerator(PhiloxStream(series_.seed, replication));
    const RunResult result = simulation_.RunSimulation(nullptr, controls);
    if (result.outcome != RunOutcome::Finished)
      return {
          SeriesRunStatus::Stopped, RunOutcomeMessage(result, format_, ReportOfRun::None), {}, {}};
  } catch (const QsimError& error) {
    return {SeriesRunStatus::Failed, error.message(), {}, {}};
  }
  return {SeriesRunStatus::Finished, {}, Collect(*store_), DurationWarning(*store_)};
}

SeriesSummary SummariseSeries(const SeriesDefinition& series,
                              const std::vector<std::optional<SeriesRunResult>>& results) {
  SeriesSummary summary;
  for (std::int64_t point = 0; point < SeriesPointCount(series); ++point) {
    for (int r = 0; r < series.replications; ++r) {
      const std::int64_t run = point * series.replications + r;
      const auto& result = results.at(static_cast<std::size_t>(run));
      if (!result)
        return summary;
      if (result->status == SeriesRunStatus::Failed)
        throw QsimError(result->message);
      if (result->status == SeriesRunStatus::Stopped) {
        summary.stop = SeriesStop{run, result->message};
        return summary;
      }
    }
    summary.points.push_back(PointOf(series, point, results));
  }
  return summary;
}

}  // namespace qsim
