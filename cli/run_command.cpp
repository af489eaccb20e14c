#include <QCommandLineParser>
#include <QFileInfo>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>

#include "cli/accuracy_arguments.h"
#include "cli/cli_platform.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "commands/compute_command.h"
#include "editor/model_drawing.h"
#include "editor/raster_canvas.h"
#include "foundation/atomic_file.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/text_file.h"
#include "results/figures_json.h"
#include "results/run_warnings.h"

namespace qsim::cli {
namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
  interrupted = true;
}

void AddRunOptions(QCommandLineParser& parser) {
  AddNumberOptions(parser);
  parser.addOptions({
      {"reports-dir", "Folder of the report and protocol (default: the program's reports folder).",
       "DIR"},
      {"protocol",
       "Write the protocol of every event, named by the date and time (with _2, _3, ... when"
       " that name is taken)."},
      {"protocol-name", "Write the protocol as NAME.txt, replacing a file of that name.", "NAME"},
      {"report-name",
       "Write the report as NAME.htm, replacing a file of that name (default: named by the date"
       " and time, with _2, _3, ... when that name is taken).",
       "NAME"},
      {"no-input", "Leave the input data out of the report."},
      {"picture", "Include the model's picture in the report (REPORT.htm.bmp)."},
      {"no-check", "Run without checking the model first."},
      {"open", "Open the report with the desktop's viewer."},
      {"runs", "Run the model N times in a row, the random sequence continuing.", "N"},
  });
  AddMaxEventsOption(parser);
  AddAccuracyOptions(parser);
}

// A chosen file name as given, in the file system's encoding; none when not asked
// for. An empty name would make a hidden file of the extension alone.
std::string FileName(const QCommandLineParser& parser, const QString& option) {
  if (!parser.isSet(option))
    return {};
  if (parser.value(option).isEmpty())
    throw UsageError{"--" + option.toStdString() + " needs a file name"};
  return LocalPath(parser.value(option));
}

void ApplyOptions(const QCommandLineParser& parser, RunSettings& settings) {
  settings.check_model = !parser.isSet("no-check");
  settings.report_include_input = !parser.isSet("no-input");
  settings.report_include_picture = parser.isSet("picture");
  settings.report_open_after = parser.isSet("open");
  settings.report_name_auto = !parser.isSet("report-name");
  settings.report_file_name = FileName(parser, "report-name");
  settings.protocol_enabled = parser.isSet("protocol") || parser.isSet("protocol-name");
  settings.protocol_name_auto = !parser.isSet("protocol-name");
  settings.protocol_file_name = FileName(parser, "protocol-name");
  settings.protocol_open_after = false;
}

// Prints the findings on standard error; a run goes on unless one blocks.
bool ReportFindings(const ValidationResult& result) {
  PrintErrorLines(result.findings);
  return !result.blocking;
}

// The run goes on; the warning is for whoever waits for it.
bool WarnOfOverload(const std::string& warning) {
  std::fprintf(stderr, "%s\n", Cp1251ToUtf8(warning).c_str());
  return true;
}

// Why a run stopped before its end; its report, written up to that moment, has
// been printed.
std::string StopMessage(const RunResult& run, const NumberFormat& format) {
  const std::string partial_report =
      "; отчет — за время от 0 до " + Cp1251ToUtf8(NumberText(run.now, format));
  if (run.outcome == RunOutcome::Cancelled)
    return "моделирование прервано (Ctrl+C)" + partial_report;
  return "моделирование остановлено: выполнено " + std::to_string(run.events) +
         " событий (--max-events)" + partial_report;
}

void WriteJsonFile(const std::string& path, const RunFigures& figures) {
  AtomicFile file(path);
  WriteFiguresJson(file.stream(), figures);
  file.Commit();
}

// How long a run that was to stop at a precision ran, and whether it got there.
std::string PrecisionMessage(const ComputeOutcome& outcome, const NumberFormat& format) {
  const RunCounts& run = outcome.figures->run;
  return std::string(outcome.run.precision_reached ? "точность достигнута"
                                                   : "точность не достигнута до конца прогона") +
         ": модельное время " + Cp1251ToUtf8(NumberText(run.model_time, format)) + ", событий " +
         std::to_string(run.events) + ", заявок " + std::to_string(run.generated);
}

// The folder named by --reports-dir, or else the program's own reports folder; a
// run makes it when it is missing.
std::string ReportsFolder(const QCommandLineParser& parser,
                          const desktop::QtCorePlatform& platform) {
  if (parser.isSet("reports-dir"))
    return LocalPath(parser.value("reports-dir"));
  return platform.layout().reports;
}

}  // namespace

// Runs a model file as the run command of the program does, once or --runs times,
// and prints the paths of the files written, one per line. A name stamped with the
// date and time that another run of the same second took gets "_2", "_3", ...: the
// paths printed are those of the files written.
int RunCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddRunOptions(parser);
  const QStringList files = ParseCommandLine(
      parser, arguments, 1,
      "run MODEL.txt [--reports-dir DIR] [--protocol] [--protocol-name NAME] [--report-name NAME]"
      " [--no-input] [--picture] [--no-check] [--open] [--runs N] [--max-events N] "
      "[--json FILE] [--warmup auto|none|TIME] [--precision REL] [--precision-on LIST] "
      "[--confidence LEVEL] [--seed S] [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);
  const long long runs = PositiveNumber(parser, "runs", 1);
  const long long max_events = MaxEventsFrom(parser);

  CliPlatform platform;
  const QString model_path = QFileInfo(files[0]).absoluteFilePath();
  std::vector<std::string> text = ReadTextLines(LocalPath(files[0]));
  auto store = std::make_unique<ModelStore>();
  ApplyOptions(parser, store->settings);
  store->settings.accuracy = AccuracyFrom(parser, format);
  const std::string json_path = parser.isSet("json") ? LocalPath(parser.value("json")) : "";
  RandomGenerator random;
  Simulation simulation(*store, random);
  const std::string reports_folder = ReportsFolder(parser, platform);
  ComputeEnvironment environment{.store = *store,
                                 .simulation = simulation,
                                 .platform = platform,
                                 .format = format,
                                 .model_file_name = Utf8ToCp1251(model_path.toStdString()),
                                 .reports_folder = reports_folder,
                                 .review_findings = ReportFindings,
                                 .confirm_overload = WarnOfOverload};
  // The report's picture: the model drawn anew onto a white canvas after each run.
  std::unique_ptr<RasterCanvas> canvas;
  if (parser.isSet("picture")) {
    environment.picture = [&] {
      canvas = std::make_unique<RasterCanvas>();
      DrawModel(*store, *canvas);
      return canvas->image();
    };
  }
  environment.controls.cancel = &interrupted;
  environment.controls.max_events = max_events;
  std::signal(SIGINT, OnInterrupt);

  for (long long run = 1; run <= runs; ++run) {
    if (runs > 1)
      environment.file_suffix = "_" + std::to_string(run);
    const ComputeOutcome outcome = ComputeCommand(text, ComputeMode::Run, environment);
    if (!outcome.simulated)
      return kExitBlocked;
    if (!outcome.protocol_path.empty())
      std::printf("%s\n", outcome.protocol_path.c_str());
    if (outcome.run.outcome == RunOutcome::Stalled ||
        outcome.run.outcome == RunOutcome::TooManyRequests) {
      throw QsimError(RunOutcomeMessage(outcome.run, format, ReportOfRun::Written));
    }
    std::printf("%s\n", outcome.report_path.c_str());
    if (!json_path.empty()) {
      const std::string path = NumberedPath(json_path, run, runs);
      WriteJsonFile(path, *outcome.figures);
      std::printf("%s\n", path.c_str());
    }
    std::fflush(stdout);
    if (store->settings.accuracy.precision > 0)
      std::fprintf(stderr, "%s\n", PrecisionMessage(outcome, format).c_str());
    if (outcome.run.outcome != RunOutcome::Finished)
      throw QsimError(Utf8ToCp1251(StopMessage(outcome.run, format)));
    const std::string warning = DurationWarning(*store);
    if (!warning.empty())
      std::fprintf(stderr, "%s\n", Cp1251ToUtf8(warning).c_str());
  }
  return kExitOk;
}

}  // namespace qsim::cli
