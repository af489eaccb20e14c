#include "cli/cli_support.h"

#include <QFile>
#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <new>
#include <system_error>

#include "engine/run_controls.h"
#include "foundation/atomic_file.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_reader.h"
#include "language/text_file.h"

namespace qsim::cli {

void AddNumberOptions(QCommandLineParser& parser) {
  parser.addOption(
      {"decimal-separator", "Decimal separator of reals (default: the locale's).", "SEP"});
}

NumberFormat NumberFormatFrom(const QCommandLineParser& parser) {
  const bool given = parser.isSet("decimal-separator");
  const QString text = given ? parser.value("decimal-separator") : QLocale::system().decimalPoint();
  const std::optional<char> separator = ModelFileSeparator(text.toStdString());
  if (given && !separator)
    throw UsageError{"unusable decimal separator '" + text.toStdString() + "'"};
  // A locale whose separator model files cannot hold reads and writes with ".".
  return NumberFormat{separator.value_or('.')};
}

long long PositiveNumber(const QCommandLineParser& parser, const QString& option,
                         long long fallback) {
  if (!parser.isSet(option))
    return fallback;
  bool ok = false;
  const long long value = parser.value(option).toLongLong(&ok);
  if (!ok || value < 1) {
    throw UsageError{"--" + option.toStdString() + " needs a positive whole number"};
  }
  return value;
}

void AddMaxEventsOption(QCommandLineParser& parser) {
  parser.addOption({"max-events", "Stop a run after N events (default 1000000000).", "N"});
}

std::int64_t MaxEventsFrom(const QCommandLineParser& parser) {
  return PositiveNumber(parser, "max-events", kDefaultMaxEvents);
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

void PrintErrorLines(const std::vector<std::string>& cp1251_lines) {
  for (const std::string& line : cp1251_lines)
    std::fprintf(stderr, "%s\n", Cp1251ToUtf8(line).c_str());
}

void FlushStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    const int error = errno != 0 ? errno : EIO;
    throw QsimError(std::string("Не удалось вывести результат: "_cp) +
                    FileFaultText(std::error_code(error, std::generic_category())));
  }
}

std::string UnexpectedErrorText(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
    return "не хватило памяти для этой задачи";
  if (const auto* system = dynamic_cast<const std::system_error*>(&error))
    return "системе не хватило ресурсов (" + system->code().message() + ")";
  return std::string("непредвиденная ошибка: ") + error.what();
}

}  // namespace qsim::cli
