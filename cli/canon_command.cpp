#include <QCommandLineParser>

#include <memory>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "language/model_text_writer.h"
#include "language/text_file.h"

namespace qsim::cli {

// Prints the canonical text of a model file, or writes it as a model file.
int CanonCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  parser.addOption({"output", "Write the canonical text to FILE (Windows-1251, CR LF).", "FILE"});
  const QStringList files = ParseCommandLine(
      parser, arguments, 1, "canon MODEL.txt [--output FILE] [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);

  const auto store = ReadModelFile(files[0], format);
  const std::vector<std::string> canonical = WriteModelText(*store, format);
  if (parser.isSet("output")) {
    WriteTextLines(LocalPath(parser.value("output")), canonical);
  } else {
    PrintLines(canonical);
  }
  return kExitOk;
}

}  // namespace qsim::cli
