#include "cli/cli_support.h"

#include <QFile>
#include <QLocale>

#include <cstdio>

#include "foundation/code_page.h"
#include "language/model_text_reader.h"
#include "language/text_file.h"

namespace qsim::cli {
namespace {

// A separator must not be confused with the other characters of a number or with
// the token separators of the model text.
bool IsUsableSeparator(char c) {
  const std::string_view forbidden = "0123456789+-Ee ;";
  return static_cast<unsigned char>(c) > ' ' && forbidden.find(c) == std::string_view::npos;
}

}  // namespace

void AddNumberOptions(QCommandLineParser& parser) {
  parser.addOption(
      {"decimal-separator", "Decimal separator of reals (default: the locale's).", "SEP"});
}

NumberFormat NumberFormatFrom(const QCommandLineParser& parser) {
  const bool given = parser.isSet("decimal-separator");
  const QString text = given ? parser.value("decimal-separator") : QLocale::system().decimalPoint();
  const std::string bytes = Utf8ToCp1251(text.toStdString());
  if (bytes.size() == 1 && IsUsableSeparator(bytes[0]))
    return NumberFormat{bytes[0]};
  if (given)
    throw UsageError{"unusable decimal separator '" + text.toStdString() + "'"};
  return NumberFormat{'.'};
}

QStringList ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments, int count,
                             const char* usage) {
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  if (!parser.parse(arguments))
    throw UsageError{parser.errorText().toStdString()};
  QStringList positional = parser.positionalArguments();
  positional.removeFirst();  // the command itself
  if (positional.size() != count)
    throw UsageError{std::string("usage: qsim-cli ") + usage};
  return positional;
}

std::unique_ptr<ModelStore> ReadModelFile(const QString& path, const NumberFormat& format) {
  std::vector<std::string> lines = ReadTextLines(LocalPath(path));
  auto store = std::make_unique<ModelStore>();
  ReadModelText(lines, *store, format);
  return store;
}

std::string LocalPath(const QString& argument) {
  return QFile::encodeName(argument).toStdString();
}

void PrintLines(const std::vector<std::string>& cp1251_lines) {
  for (const std::string& line : cp1251_lines) {
    const std::string text = Cp1251ToUtf8(line);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
  }
}

}  // namespace qsim::cli
