#include <QCoreApplication>

#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace {

using Command = int (*)(const QStringList&);

const std::map<QString, Command>& Commands() {
  static const std::map<QString, Command> commands = {
      {"analyze", qsim::cli::AnalyzeCommand}, {"bench", qsim::cli::BenchCommand},
      {"canon", qsim::cli::CanonCommand},     {"check", qsim::cli::CheckCommand},
      {"draw", qsim::cli::DrawCommand},       {"merge", qsim::cli::MergeCommand},
      {"run", qsim::cli::RunCommand},         {"sweep", qsim::cli::SweepCommand},
  };
  return commands;
}

void PrintError(const std::string& utf8_text) {
  std::fprintf(stderr, "qsim-cli: %s\n", utf8_text.c_str());
}

// The error's message with a full stop, preceded by the model text line it arose on.
std::string ErrorText(const qsim::QsimError& error) {
  std::string text = qsim::Cp1251ToUtf8(error.message()) + ".";
  if (error.line() > 0)
    text = "Строка " + std::to_string(error.line()) + ": " + text;
  return text;
}

int Usage() {
  std::string names;
  for (const auto& [name, command] : Commands())
    names += " " + name.toStdString();
  PrintError("usage: qsim-cli COMMAND ...; commands:" + names);
  return qsim::cli::kExitError;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 2)
    return Usage();
  const auto found = Commands().find(arguments[1]);
  if (found == Commands().end())
    return Usage();
  try {
    const int status = found->second(arguments);
    qsim::cli::FlushStandardOutput();
    return status;
  } catch (const qsim::QsimError& error) {
    PrintError(ErrorText(error));
  } catch (const qsim::cli::UsageError& error) {
    PrintError(error.message);
  } catch (const std::exception& error) {
    PrintError(qsim::cli::UnexpectedErrorText(error));
  }
  return qsim::cli::kExitError;
}
