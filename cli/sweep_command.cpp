#include <QCommandLineParser>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "commands/parameter_sweep.h"
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

int WholeNumber(const QCommandLineParser& parser, const QString& option, int fallback) {
  if (!parser.isSet(option))
    return fallback;
  bool ok = false;
  const int value = parser.value(option).toInt(&ok);
  if (!ok || value < 1) {
    throw UsageError{"--" + option.toStdString() + " needs a positive whole number"};
  }
  return value;
}

void WriteCsv(const std::string& path, const std::string& csv) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out)
    out << csv;
  if (!out)
    throw QsimError("Cannot create file \"" + path + "\". " + std::strerror(errno));
}

}  // namespace

// Runs a model for a series of values of one parameter and writes a table of the
// main statistics per value as CSV (to --csv, or standard output).
int SweepCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  parser.addOptions({
      {"param", "The parameter: generator:N:la, queue:N:len, device:N:v or device:N:k.", "P"},
      {"from", "First value.", "A"},
      {"to", "Last value.", "B"},
      {"steps", "Number of values from A to B (default 2).", "N"},
      {"replications", "Runs per value (default 1).", "R"},
      {"csv", "Write the table to FILE.", "FILE"},
  });
  const QStringList files = ParseCommandLine(
      parser, arguments, 1,
      "sweep MODEL.txt --param KIND:SLOT:FIELD --from A --to B --steps N [--replications R]"
      " [--csv OUT] [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);
  if (!parser.isSet("param") || !parser.isSet("from") || !parser.isSet("to")) {
    throw UsageError{"sweep needs --param, --from and --to"};
  }
  SweepRange range;
  range.parameter = ParseParameter(parser.value("param"));
  range.from = ParseReal(parser.value("from").toStdString(), format);
  range.to = ParseReal(parser.value("to").toStdString(), format);
  range.steps = WholeNumber(parser, "steps", 2);
  const int replications = WholeNumber(parser, "replications", 1);

  const auto store = ReadModelFile(files[0], format);
  RandomGenerator random;
  Simulation simulation(*store, random);
  const std::vector<SweepPoint> points = RunSweep(*store, simulation, range, replications, format);
  const std::string csv = SweepCsv(SweepColumns(*store), points, replications > 1);
  if (parser.isSet("csv")) {
    WriteCsv(LocalPath(parser.value("csv")), csv);
  } else {
    std::fwrite(csv.data(), 1, csv.size(), stdout);
  }
  return kExitOk;
}

}  // namespace qsim::cli
