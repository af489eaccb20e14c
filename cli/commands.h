#pragma once

#include <QStringList>

namespace qsim::cli {

// Each command takes the whole argument list (program name, command, the rest)
// and returns the exit status. Errors are thrown: QsimError or UsageError.
int AnalyzeCommand(const QStringList& arguments);
int BenchCommand(const QStringList& arguments);
int CanonCommand(const QStringList& arguments);
int CheckCommand(const QStringList& arguments);
int DrawCommand(const QStringList& arguments);
int MergeCommand(const QStringList& arguments);
int RunCommand(const QStringList& arguments);
int SweepCommand(const QStringList& arguments);

}  // namespace qsim::cli
