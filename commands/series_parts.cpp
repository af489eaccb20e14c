#include "commands/series_parts.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <type_traits>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_writer.h"

namespace qsim {
namespace {

constexpr std::string_view kPartTag = "# qsim series part ";

// FNV-1a, 64 bits: the parts of one series name it alike, and two series of a
// different model or definition differ in it.
class Fingerprint {
 public:
  void Add(std::string_view bytes) {
    for (unsigned char c : bytes)
      hash_ = (hash_ ^ c) * 1099511628211u;
    AddByte(0xff);
  }
  void Add(std::uint64_t number) { Add(std::to_string(number)); }
  std::string Hex() const {
    char text[17];
    const auto end = std::to_chars(text, text + 16, hash_, 16).ptr;
    return std::string(text, end);
  }

 private:
  void AddByte(unsigned char separator) { hash_ = (hash_ ^ separator) * 1099511628211u; }
  std::uint64_t hash_ = 14695981039346656037u;
};

std::string ExactText(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string SeriesFingerprint(const ModelStore& model, const SeriesDefinition& series) {
  Fingerprint print;
  for (const std::string& line : WriteModelText(model, NumberFormat{'.'}))
    print.Add(line);
  if (series.range) {
    const SweepRange& range = *series.range;
    print.Add(static_cast<std::uint64_t>(range.parameter.kind));
    print.Add(static_cast<std::uint64_t>(range.parameter.slot));
    print.Add(static_cast<std::uint64_t>(range.parameter.field));
    print.Add(ExactText(range.from));
    print.Add(ExactText(range.to));
  }
  print.Add(static_cast<std::uint64_t>(series.seed));
  return print.Hex();
}

// The first line of a part: what every part of the series shares, after the
// part's own number.
struct PartHeader {
  std::int64_t index = 0;
  std::int64_t count = 0;
  std::string series;  // "points=... replications=... values=... series=..."
};

std::string HeaderLine(const PartHeader& header) {
  return std::string(kPartTag) + std::to_string(header.index) + "/" + std::to_string(header.count) +
         " " + header.series;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(text);
  while (std::getline(in, field, separator))
    fields.push_back(field);
  if (!text.empty() && text.back() == separator)
    fields.emplace_back();
  return fields;
}

// The whole text as a number; reals must be finite.
template <typename Number>
bool ReadNumber(std::string_view text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || text.empty())
    return false;
  if constexpr (std::is_floating_point_v<Number>)
    return std::isfinite(number);
  return true;
}

// A number after `key=` in the part's first line.
std::int64_t HeaderNumber(const std::string& series, std::string_view key) {
  const std::string tag = " " + std::string(key) + "=";
  const std::size_t at = (" " + series).find(tag);
  std::int64_t number = -1;
  if (at != std::string::npos) {
    const std::string rest = series.substr(at + tag.size() - 1);
    ReadNumber(std::string_view(rest).substr(0, rest.find(' ')), number);
  }
  return number;
}

struct ReadPart {
  PartHeader header;
  std::string columns;
  std::vector<std::string> rows;
};

QsimError PartError(const std::string& name, std::string_view what) {
  return QsimError(name + ": " + std::string(what));
}

// A crafted part may hold a row of any length; a message quotes its start.
constexpr std::size_t kQuotedRowLength = 200;

QsimError RowError(const std::string& name, const std::string& row) {
  const bool cut = row.size() > kQuotedRowLength;
  return PartError(name, std::string("неверная строка прогона: "_cp) +
                             row.substr(0, kQuotedRowLength) + (cut ? "..." : ""));
}

ReadPart ParsePart(const std::string& text, const std::string& name) {
  std::vector<std::string> lines = Split(text, '\n');
  if (!lines.empty() && lines.back().empty())
    lines.pop_back();
  ReadPart part;
  const std::string& first = lines.empty() ? std::string() : lines[0];
  const std::size_t slash = first.find('/');
  const std::size_t space = first.find(' ', kPartTag.size());
  if (lines.size() < 2 || first.rfind(kPartTag, 0) != 0 || slash == std::string::npos ||
      space == std::string::npos || slash > space ||
      !ReadNumber(std::string_view(first).substr(kPartTag.size(), slash - kPartTag.size()),
                  part.header.index) ||
      !ReadNumber(std::string_view(first).substr(slash + 1, space - slash - 1),
                  part.header.count) ||
      part.header.index < 0 || part.header.index >= part.header.count ||
      part.header.count > kMaxSeriesRuns) {
    throw PartError(name, "это не часть серии прогонов"_cp);
  }
  part.header.series = first.substr(space + 1);
  part.columns = lines[1];
  if (!part.columns.starts_with("run,value"))
    throw PartError(name, "это не часть серии прогонов"_cp);
  part.rows.assign(lines.begin() + 2, lines.end());
  return part;
}

// The run of a row and its result; the point's value goes to `value`.
std::int64_t ReadRow(const std::string& row, std::size_t columns, SeriesRunResult& result,
                     double& value, const std::string& name) {
  const std::vector<std::string> fields = Split(row, ',');
  std::int64_t run = -1;
  if (fields.size() != columns + 2 || !ReadNumber(fields[0], run) || !ReadNumber(fields[1], value))
    throw RowError(name, row);
  result.status = SeriesRunStatus::Finished;
  for (std::size_t i = 2; i < fields.size(); ++i) {
    double statistic = 0;
    if (fields[i].empty())
      result.values.emplace_back();
    else if (ReadNumber(fields[i], statistic))
      result.values.emplace_back(statistic);
    else
      throw RowError(name, row);
  }
  return run;
}

}  // namespace

std::string SeriesPartCsv(const ModelStore& model, const SeriesDefinition& series,
                          const SeriesShard& shard,
                          const std::vector<std::optional<SeriesRunResult>>& results) {
  const PartHeader header{shard.index, shard.count,
                          "points=" + std::to_string(SeriesPointCount(series)) +
                              " replications=" + std::to_string(series.replications) +
                              " values=" + (series.range ? "yes" : "no") +
                              " series=" + SeriesFingerprint(model, series)};
  std::string csv = HeaderLine(header) + "\nrun,value";
  for (const std::string& column : SweepColumns(model))
    csv += "," + column;
  csv += "\n";
  for (std::size_t run = 0; run < results.size(); ++run) {
    const auto& result = results[run];
    if (!result || result->status != SeriesRunStatus::Finished)
      continue;
    const auto point = static_cast<std::int64_t>(run) / series.replications;
    csv += std::to_string(run) + "," + ExactText(SeriesPointValue(series, point));
    for (const std::optional<double>& value : result->values)
      csv += "," + (value ? ExactText(*value) : std::string());
    csv += "\n";
  }
  return csv;
}

std::string MergeSeriesParts(const std::vector<std::string>& parts,
                             const std::vector<std::string>& names) {
  std::vector<ReadPart> read;
  for (std::size_t i = 0; i < parts.size(); ++i)
    read.push_back(ParsePart(parts[i], names.at(i)));
  if (read.empty())
    throw QsimError(std::string("Нет ни одной части серии"_cp));
  const ReadPart& first = read.front();
  std::vector<bool> seen(static_cast<std::size_t>(first.header.count), false);
  for (std::size_t i = 0; i < read.size(); ++i) {
    const PartHeader& header = read[i].header;
    if (header.count != first.header.count || header.series != first.header.series ||
        read[i].columns != first.columns) {
      throw PartError(names[i], "часть другой серии прогонов"_cp);
    }
    if (seen[static_cast<std::size_t>(header.index)])
      throw PartError(names[i], "эта часть уже была"_cp);
    seen[static_cast<std::size_t>(header.index)] = true;
  }
  for (std::size_t index = 0; index < seen.size(); ++index) {
    if (!seen[index]) {
      throw QsimError(std::string("Нет части "_cp) + std::to_string(index) + "/" +
                      std::to_string(first.header.count));
    }
  }

  const std::int64_t points = HeaderNumber(first.header.series, "points");
  const std::int64_t replications = HeaderNumber(first.header.series, "replications");
  // Within what a series can be, so that neither count, nor their product, sizes
  // a table of more than a series holds.
  if (points < 1 || points > kMaxSweepSteps || replications < 1 ||
      replications > kMaxReplications || points * replications > kMaxSeriesRuns) {
    throw PartError(names[0], "это не часть серии прогонов"_cp);
  }
  const SeriesDefinition series{SweepRange{{}, 0, 0, static_cast<int>(points)},
                                static_cast<int>(replications), 0};
  const std::vector<std::string> columns = Split(first.columns, ',');
  std::vector<std::optional<SeriesRunResult>> results(
      static_cast<std::size_t>(SeriesRunCount(series)));
  std::vector<double> values(static_cast<std::size_t>(points), 0);
  for (std::size_t i = 0; i < read.size(); ++i) {
    for (const std::string& row : read[i].rows) {
      SeriesRunResult result;
      double value = 0;
      const std::int64_t run = ReadRow(row, columns.size() - 2, result, value, names[i]);
      if (run < 0 || run >= SeriesRunCount(series) ||
          run % first.header.count != read[i].header.index ||
          results[static_cast<std::size_t>(run)]) {
        throw RowError(names[i], row);
      }
      results[static_cast<std::size_t>(run)] = std::move(result);
      values[static_cast<std::size_t>(run / replications)] = value;
    }
  }
  for (std::size_t run = 0; run < results.size(); ++run) {
    if (!results[run])
      throw QsimError(std::string("В частях нет прогона "_cp) + std::to_string(run));
  }
  SeriesSummary summary = SummariseSeries(series, results);
  for (std::size_t point = 0; point < summary.points.size(); ++point)
    summary.points[point].value = values[point];
  const bool with_values = (" " + first.header.series).find(" values=yes") != std::string::npos;
  return SweepCsv({columns.begin() + 2, columns.end()}, summary.points, replications > 1,
                  with_values);
}

}  // namespace qsim
