#include "cli/cli_platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QProcess>

#include "language/code_page.h"

namespace qsim::cli {
namespace {

QDate ToDate(const LocalDateTime& when) {
  return QDate(when.year, when.month, when.day);
}
QTime ToTime(const LocalDateTime& when) {
  return QTime(when.hour, when.minute, when.second);
}

std::string ToText(const QString& text) {
  return Utf8ToCp1251(text.toStdString());
}

}  // namespace

LocalDateTime CliPlatform::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string CliPlatform::ShortDate(const LocalDateTime& when) const {
  return ToText(QLocale::system().toString(ToDate(when), QLocale::ShortFormat));
}

std::string CliPlatform::LongTime(const LocalDateTime& when) const {
  // The locale's long time format without the time zone, which a report of local
  // time does not need.
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return ToText(QLocale::system().toString(ToTime(when), format.trimmed()));
}

std::string CliPlatform::ProgramFolder() const {
  return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

void CliPlatform::OpenDocument(const std::string& path) {
  QProcess::startDetached(QStringLiteral("xdg-open"), {QFile::decodeName(path.c_str())});
}

}  // namespace qsim::cli
