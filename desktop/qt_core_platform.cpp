#include "desktop/qt_core_platform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

#include "foundation/code_page.h"

namespace qsim::desktop {
namespace {

QDate ToDate(const LocalDateTime& when) {
  return QDate(when.year, when.month, when.day);
}

QTime ToTime(const LocalDateTime& when) {
  return QTime(when.hour, when.minute, when.second);
}

std::string ToCp1251(const QString& text) {
  return Utf8ToCp1251(text.toStdString());
}

// The documents folder is $XDG_DOCUMENTS_DIR when that is an absolute path, else
// the one the desktop names. Without a HOME of its own Qt makes up "/" and
// "/Documents", which are nobody's folders: they are left out.
UserFolders DesktopUserFolders() {
  const QString home = qEnvironmentVariable("HOME");
  const QString variable = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
  QString documents;
  if (QDir::isAbsolutePath(variable))
    documents = variable;
  else if (QDir::isAbsolutePath(home))
    documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return {QFile::encodeName(documents).toStdString(), QFile::encodeName(home).toStdString()};
}

}  // namespace

QtCorePlatform::QtCorePlatform(const QString& program_folder)
    : layout_(FindInstallLayout(QFile::encodeName(program_folder).toStdString(),
                                DesktopUserFolders())) {}

LocalDateTime QtCorePlatform::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string QtCorePlatform::ShortDate(const LocalDateTime& when) const {
  return ToCp1251(QLocale().toString(ToDate(when), QLocale::ShortFormat));
}

std::string QtCorePlatform::LongTime(const LocalDateTime& when) const {
  // The locale's long time format without the time zone, which a report of local
  // time does not need.
  QString format = QLocale().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return ToCp1251(QLocale().toString(ToTime(when), format.trimmed()));
}

}  // namespace qsim::desktop
