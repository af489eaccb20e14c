#include "cli/sweep_arguments.h"

#include <QCommandLineParser>

#include <cstdio>
#include <map>
#include <string_view>

#include "cli/cli_support.h"
#include "commands/series_parts.h"
#include "foundation/atomic_file.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim::cli {
namespace {

// KIND:SLOT:FIELD, e.g. queue:2:len.
SweepParameter ParseParameter(const QString& text) {
  static const std::map<QString, std::pair<ElementKind, SweepField>> kFields = {
      {"generator:la", {ElementKind::Generator, SweepField::Intensity}},
      {"queue:len", {ElementKind::Queue, SweepField::Length}},
      {"device:v", {ElementKind::Device, SweepField::ServiceTime}},
      {"device:k", {ElementKind::Device, SweepField::Channels}},
  };
  const QStringList parts = text.split(':');
  bool ok = false;
  const int slot = parts.size() == 3 ? parts[1].toInt(&ok) : 0;
  const auto field = kFields.find(parts.value(0) + ":" + parts.value(2));
  if (!ok || field == kFields.end()) {
    throw UsageError{
        "--param takes KIND:SLOT:FIELD: generator:N:la, queue:N:len, device:N:v or "
        "device:N:k"};
  }
  return {field->second.first, slot, field->second.second};
}

// Threads of one process: far more than any machine's cores, far fewer than a
// system lets one process start.
constexpr int kMaxJobs = 256;
// A day: a run that takes longer is not one to wait for rank by rank.
constexpr int kMaxRankTimeout = 86400;

int WholeNumber(const QCommandLineParser& parser, const QString& option, int fallback,
                int largest) {
  if (!parser.isSet(option))
    return fallback;
  bool ok = false;
  const int value = parser.value(option).toInt(&ok);
  if (!ok || value < 1 || value > largest) {
    throw UsageError{"--" + option.toStdString() + " needs a whole number from 1 to " +
                     std::to_string(largest)};
  }
  return value;
}

std::uint32_t Seed(const QCommandLineParser& parser) {
  bool ok = true;
  const std::uint32_t seed = parser.isSet("seed") ? parser.value("seed").toUInt(&ok) : 0;
  if (!ok)
    throw UsageError{"--seed needs a whole number from 0 to 4294967295"};
  return seed;
}

// I/N: every N-th run from run I, 0 <= I < N, N no more than a series has runs.
SeriesShard ParseShard(const QString& text) {
  const QStringList parts = text.split('/');
  bool index_ok = false;
  bool count_ok = false;
  const SeriesShard shard{parts.value(0).toLongLong(&index_ok),
                          parts.value(1).toLongLong(&count_ok)};
  if (parts.size() != 2 || !index_ok || !count_ok || shard.count < 1 || shard.index < 0 ||
      shard.index >= shard.count || shard.count > kMaxSeriesRuns) {
    throw UsageError{"--shard takes I/N with 0 <= I < N <= " + std::to_string(kMaxSeriesRuns)};
  }
  return shard;
}

std::optional<SweepRange> ParseRange(const QCommandLineParser& parser, const NumberFormat& format) {
  if (!parser.isSet("param")) {
    if (parser.isSet("from") || parser.isSet("to") || parser.isSet("steps"))
      throw UsageError{"--from, --to and --steps need --param"};
    return std::nullopt;
  }
  if (!parser.isSet("from") || !parser.isSet("to"))
    throw UsageError{"sweep needs --from and --to with --param"};
  SweepRange range;
  range.parameter = ParseParameter(parser.value("param"));
  range.from = ParseReal(parser.value("from").toStdString(), format);
  range.to = ParseReal(parser.value("to").toStdString(), format);
  range.steps = WholeNumber(parser, "steps", 2, kMaxSweepSteps);
  return range;
}

// The first run of `status`, if any.
const SeriesRunResult* FirstRun(const std::vector<std::optional<SeriesRunResult>>& results,
                                SeriesRunStatus status, std::size_t& run) {
  for (run = 0; run < results.size(); ++run) {
    if (results[run] && results[run]->status == status)
      return &*results[run];
  }
  return nullptr;
}

// The warnings of the runs, which the table cannot show, on standard error.
void PrintWarnings(std::string_view where, const std::vector<std::string>& warnings) {
  for (std::size_t i = 0; i < warnings.size(); ++i) {
    if (!warnings[i].empty()) {
      std::fprintf(
          stderr, "%s\n",
          Cp1251ToUtf8(std::string(where) + std::to_string(i + 1) + ": " + warnings[i]).c_str());
    }
  }
}

QsimError StopError(const SeriesDefinition& series, std::int64_t run, const std::string& message) {
  return QsimError(std::string("Серия остановлена на точке "_cp) +
                   std::to_string(run / series.replications + 1) + std::string(", повторении "_cp) +
                   std::to_string(run % series.replications + 1) + ": " + message);
}

}  // namespace

SweepArguments ParseSweepArguments(const QStringList& arguments, bool cluster) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  parser.addOptions({
      {"param", "The parameter: generator:N:la, queue:N:len, device:N:v or device:N:k.", "P"},
      {"from", "First value.", "A"},
      {"to", "Last value.", "B"},
      {"steps", "Number of values from A to B (default 2).", "N"},
      {"replications", "Runs per value (default 1).", "R"},
      {"seed", "Seed of the series' random streams (default 0).", "S"},
      {"jobs", "Runs side by side (default: one per core).", "N"},
      {"shard", "Run every N-th run from run I only and write the part for merge.", "I/N"},
      {"csv", "Write the table to FILE.", "FILE"},
  });
  if (cluster) {
    parser.addOption({"rank-timeout",
                      "End the series when a rank sends nothing for SECONDS (default: wait).",
                      "SECONDS"});
  }
  const QStringList files =
      ParseCommandLine(parser, arguments, 1,
                       "sweep MODEL.txt [--param KIND:SLOT:FIELD --from A --to B [--steps N]]"
                       " [--replications R] [--seed S] [--jobs N] [--shard I/N] [--csv OUT]"
                       " [--decimal-separator SEP]");
  SweepArguments sweep;
  sweep.model_path = files[0];
  sweep.format = NumberFormatFrom(parser);
  sweep.series.range = ParseRange(parser, sweep.format);
  sweep.series.replications = WholeNumber(parser, "replications", 1, kMaxReplications);
  sweep.series.seed = Seed(parser);
  sweep.jobs = WholeNumber(parser, "jobs", 0, kMaxJobs);
  if (parser.isSet("shard"))
    sweep.shard = ParseShard(parser.value("shard"));
  if (parser.isSet("csv"))
    sweep.csv_path = LocalPath(parser.value("csv"));
  if (cluster)
    sweep.rank_timeout_seconds = WholeNumber(parser, "rank-timeout", 0, kMaxRankTimeout);
  return sweep;
}

void WriteSweepResults(const SweepArguments& arguments, const ModelStore& model,
                       const std::vector<std::optional<SeriesRunResult>>& results) {
  const SeriesDefinition& series = arguments.series;
  std::optional<SeriesStop> stop;
  if (arguments.shard) {
    std::size_t run = 0;
    if (const SeriesRunResult* failed = FirstRun(results, SeriesRunStatus::Failed, run))
      throw QsimError(failed->message);
    WriteOutput(arguments.csv_path, SeriesPartCsv(model, series, *arguments.shard, results));
    std::vector<std::string> warnings;
    for (const auto& result : results)
      warnings.push_back(result ? result->warning : std::string());
    PrintWarnings("Прогон "_cp, warnings);
    if (const SeriesRunResult* stopped = FirstRun(results, SeriesRunStatus::Stopped, run))
      stop = SeriesStop{static_cast<std::int64_t>(run), stopped->message};
  } else {
    const SeriesSummary summary = SummariseSeries(series, results);
    WriteOutput(arguments.csv_path, SweepCsv(SweepColumns(model), summary.points,
                                             series.replications > 1, series.range.has_value()));
    std::vector<std::string> warnings;
    for (const SweepPoint& point : summary.points)
      warnings.push_back(point.warning);
    PrintWarnings("Точка "_cp, warnings);
    stop = summary.stop;
  }
  if (stop)
    throw StopError(series, stop->run, stop->message);
}

void WriteOutput(const std::optional<std::string>& path, const std::string& bytes) {
  if (path)
    WriteFileAtomically(*path, bytes);
  else
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace qsim::cli
