#include "cli/cli_platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

namespace qsim::cli {

CliPlatform::CliPlatform() : QtCorePlatform(QCoreApplication::applicationDirPath()) {}

void CliPlatform::OpenDocument(const std::string& path) {
  QProcess::startDetached(QStringLiteral("xdg-open"), {QFile::decodeName(path.c_str())});
}

}  // namespace qsim::cli
