#include "app/qt_platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QLocale>
#include <QThread>
#include <QUrl>

#include "app/gui_text.h"

namespace qsim::gui {
namespace {

QDate ToDate(const LocalDateTime& when) {
  return QDate(when.year, when.month, when.day);
}

QTime ToTime(const LocalDateTime& when) {
  return QTime(when.hour, when.minute, when.second);
}

void OpenWithDesktopShell(const QString& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace

QtPlatform::QtPlatform(const QString& program_folder)
    : program_folder_(program_folder), opener_(OpenWithDesktopShell) {}

LocalDateTime QtPlatform::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string QtPlatform::ShortDate(const LocalDateTime& when) const {
  return ToCp1251(QLocale().toString(ToDate(when), QLocale::ShortFormat));
}

std::string QtPlatform::LongTime(const LocalDateTime& when) const {
  // The locale's long time format without the time zone, which a report of local
  // time does not need.
  QString format = QLocale().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return ToCp1251(QLocale().toString(ToTime(when), format.trimmed()));
}

std::string QtPlatform::ProgramFolder() const {
  return QFile::encodeName(program_folder_).toStdString();
}

void QtPlatform::OpenDocument(const std::string& path) {
  const QString document = QFile::decodeName(QByteArray::fromStdString(path));
  QCoreApplication* application = QCoreApplication::instance();
  if (QThread::currentThread() == application->thread()) {
    opener_(document);
    return;
  }
  QMetaObject::invokeMethod(
      application, [opener = opener_, document] { opener(document); }, Qt::QueuedConnection);
}

}  // namespace qsim::gui
