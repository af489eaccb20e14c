#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim::cli {

// Exit statuses of the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBlocked = 1;
inline constexpr int kExitError = 2;

// Thrown for a malformed command line; main prints it with the usage hint.
struct UsageError {
  std::string message;
};

// Adds the options every model command takes (--decimal-separator).
void AddNumberOptions(QCommandLineParser& parser);

// The number format of the command: --decimal-separator, else the user's locale.
NumberFormat NumberFormatFrom(const QCommandLineParser& parser);

// The value of a numeric option, a whole number of at least 1, or `fallback` when
// it is not given. Throws UsageError.
long long PositiveNumber(const QCommandLineParser& parser, const QString& option,
                         long long fallback);

// --max-events N: the event limit of a run (kDefaultMaxEvents when not given).
void AddMaxEventsOption(QCommandLineParser& parser);
std::int64_t MaxEventsFrom(const QCommandLineParser& parser);

// Parses `arguments` (program name and command first) and returns the positional
// arguments after the command; throws UsageError unless there are `count` of them.
QStringList ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments, int count,
                             const char* usage);

// Reads a model file into a new store. Throws QsimError.
std::unique_ptr<ModelStore> ReadModelFile(const QString& path, const NumberFormat& format);

// File system path of a console argument.
std::string LocalPath(const QString& argument);

// Console text (UTF-8) from Windows-1251 bytes, and the reverse.
void PrintLines(const std::vector<std::string>& cp1251_lines);
// The same on standard error: findings, warnings.
void PrintErrorLines(const std::vector<std::string>& cp1251_lines);

// Flushes standard output; throws QsimError when what was printed did not all
// reach it (a full disk, a closed file), so that a command never reports success
// for output that was lost.
void FlushStandardOutput();

// The console text (UTF-8) for an error no command expects (memory or threads
// exhausted), which the programs report instead of aborting.
std::string UnexpectedErrorText(const std::exception& error);

}  // namespace qsim::cli
