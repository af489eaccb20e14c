#pragma once

#include <QCommandLineParser>

#include <string>

#include "foundation/number_format.h"
#include "model/accuracy_settings.h"

namespace qsim::cli {

// Adds --warmup, --precision, --confidence and --seed to a command's options.
void AddAccuracyOptions(QCommandLineParser& parser);

// The accuracy settings the options ask for; the defaults where an option is not
// given. Throws UsageError for a value out of its range.
AccuracySettings AccuracyFrom(const QCommandLineParser& parser, const NumberFormat& format);

// The path of the JSON file of run `run` of `runs`: `path` itself for one run,
// else with "_" + run before its extension ("out.json" gives "out_2.json"), as
// the reports of several runs are named.
std::string NumberedPath(const std::string& path, long long run, long long runs);

}  // namespace qsim::cli
