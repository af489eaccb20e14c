#include <QCommandLineParser>

#include <memory>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "language/model_text_writer.h"
#include "language/model_validation.h"

namespace qsim::cli {

// Checks a model file as a run would: prints the numbered findings, then, after
// an empty line if there were any, the canonical text with the corrections, all
// on standard output. Exits with kExitBlocked when a finding blocks the run.
int CheckCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  const QStringList files =
      ParseCommandLine(parser, arguments, 1, "check MODEL.txt [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);

  const auto store = ReadModelFile(files[0], format);
  const ValidationResult result = ValidateModel(*store, format);
  if (!result.findings.empty()) {
    PrintLines(result.findings);
    PrintLines({""});
  }
  PrintLines(WriteModelText(*store, format));
  return result.blocking ? kExitBlocked : kExitOk;
}

}  // namespace qsim::cli
