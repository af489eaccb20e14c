#include <QCommandLineParser>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/sweep_arguments.h"
#include "commands/series_parts.h"
#include "foundation/qsim_error.h"

namespace qsim::cli {
namespace {

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw QsimError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

// Joins the parts that `sweep --shard` wrote, in any order, into the table of the
// whole series, the same bytes as the series run in one piece.
int MergeCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.addOption({"csv", "Write the table to FILE.", "FILE"});
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  if (!parser.parse(arguments))
    throw UsageError{parser.errorText().toStdString()};
  QStringList files = parser.positionalArguments();
  files.removeFirst();  // the command itself
  if (files.isEmpty())
    throw UsageError{"usage: qsim-cli merge PART... [--csv OUT]"};
  std::vector<std::string> parts;
  std::vector<std::string> names;
  for (const QString& file : files) {
    names.push_back(LocalPath(file));
    parts.push_back(ReadFileBytes(names.back()));
  }
  std::optional<std::string> csv;
  if (parser.isSet("csv"))
    csv = LocalPath(parser.value("csv"));
  WriteOutput(csv, MergeSeriesParts(parts, names));
  return kExitOk;
}

}  // namespace qsim::cli
