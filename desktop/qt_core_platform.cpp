#include "desktop/qt_core_platform.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <utility>

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

}  // namespace

QtCorePlatform::QtCorePlatform(QString program_folder)
    : program_folder_(std::move(program_folder)) {}

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

std::string QtCorePlatform::ProgramFolder() const {
  return QFile::encodeName(program_folder_).toStdString();
}

}  // namespace qsim::desktop
