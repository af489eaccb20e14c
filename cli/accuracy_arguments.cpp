#include "cli/accuracy_arguments.h"

#include <algorithm>
#include <cmath>

#include "cli/cli_support.h"
#include "foundation/qsim_error.h"

namespace qsim::cli {
namespace {

// A real of the option, in the command's number format, or the usage error.
double RealOption(const QCommandLineParser& parser, const char* option, const NumberFormat& format,
                  const std::string& expected) {
  try {
    const double value = ParseReal(parser.value(option).toStdString(), format);
    if (std::isfinite(value))
      return value;
  } catch (const QsimError&) {
  }
  throw UsageError{"--" + std::string(option) + " needs " + expected};
}

// The figures --precision-on names.
PrecisionMarks MarksFrom(const QString& list) {
  const std::string expected =
      "--precision-on needs one or more of mean_wait, mean_length, utilisation, "
      "mean_time_in_system, separated by commas";
  PrecisionMarks marks{.mean_wait = false, .utilisation = false};
  for (const QString& item : list.split(',')) {
    const auto known =
        std::find_if(kPrecisionMarkNames.begin(), kPrecisionMarkNames.end(),
                     [name = item.trimmed().toStdString()](const PrecisionMarkName& mark) {
                       return mark.name == name;
                     });
    if (known == kPrecisionMarkNames.end())
      throw UsageError{expected};
    marks.*known->mark = true;
  }
  return marks;
}

}  // namespace

void AddAccuracyOptions(QCommandLineParser& parser) {
  parser.addOptions({
      {"json", "Write every figure with its confidence interval as JSON to FILE.", "FILE"},
      {"warmup", "Leave out the start of the run: auto (default), none, or a model TIME.",
       "auto|none|TIME"},
      {"precision",
       "Stop the run once every figure of --precision-on has a half-width of at most "
       "REL times its mean (for example 0.02).",
       "REL"},
      {"precision-on",
       "The figures --precision waits for, separated by commas: mean_wait, mean_length, "
       "utilisation, mean_time_in_system (default mean_wait,utilisation).",
       "LIST"},
      {"confidence", "Level of the confidence intervals (default 0.95).", "LEVEL"},
      {"seed", "Draw from the series' random stream of seed S (replication 0).", "S"},
  });
}

AccuracySettings AccuracyFrom(const QCommandLineParser& parser, const NumberFormat& format) {
  AccuracySettings accuracy;
  const QString warmup = parser.value("warmup");
  if (warmup == "none") {
    accuracy.warmup = WarmupMethod::None;
  } else if (parser.isSet("warmup") && warmup != "auto") {
    accuracy.warmup = WarmupMethod::Fixed;
    accuracy.warmup_time =
        RealOption(parser, "warmup", format, "auto, none or a model time of 0 or more");
    if (accuracy.warmup_time < 0)
      throw UsageError{"--warmup needs auto, none or a model time of 0 or more"};
  }
  if (parser.isSet("precision")) {
    accuracy.precision = RealOption(parser, "precision", format, "a number above 0 and below 1");
    if (!(accuracy.precision > 0 && accuracy.precision < 1))
      throw UsageError{"--precision needs a number above 0 and below 1"};
  }
  if (parser.isSet("precision-on")) {
    if (!parser.isSet("precision"))
      throw UsageError{"--precision-on needs --precision"};
    accuracy.marks = MarksFrom(parser.value("precision-on"));
  }
  if (parser.isSet("confidence")) {
    accuracy.confidence = RealOption(parser, "confidence", format, "a number above 0 and below 1");
    if (!(accuracy.confidence > 0 && accuracy.confidence < 1))
      throw UsageError{"--confidence needs a number above 0 and below 1"};
  }
  if (parser.isSet("seed")) {
    bool ok = false;
    accuracy.seed = parser.value("seed").toUInt(&ok);
    if (!ok)
      throw UsageError{"--seed needs a whole number from 0 to 4294967295"};
  }
  return accuracy;
}

std::string NumberedPath(const std::string& path, long long run, long long runs) {
  if (runs <= 1)
    return path;
  const std::size_t name = path.find_last_of("/\\");
  const std::size_t dot = path.find_last_of('.');
  const std::size_t at =
      dot != std::string::npos && (name == std::string::npos || dot > name + 1) ? dot : path.size();
  return path.substr(0, at) + "_" + std::to_string(run) + path.substr(at);
}

}  // namespace qsim::cli
