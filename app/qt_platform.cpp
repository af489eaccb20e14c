#include "app/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QThread>
#include <QUrl>

namespace qsim::gui {
namespace {

void OpenWithDesktopShell(const QString& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace

QtPlatform::QtPlatform(const QString& program_folder)
    : QtCorePlatform(program_folder), opener_(OpenWithDesktopShell) {}

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
