#include "app/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QThread>
#include <QUrl>

#include "app/window_titles.h"

namespace qsim::gui {
namespace {

bool OpenWithDesktopShell(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Open(const QtPlatform::DocumentOpener& opener, const QString& path) {
  if (opener(path))
    return;
  QMessageBox box(
      QMessageBox::Information, ApplicationTitle(),
      QStringLiteral("Файл не удалось открыть в программе просмотра. Он сохранен:\n") + path,
      QMessageBox::Ok, QApplication::activeWindow());
  box.setObjectName(QStringLiteral("CannotOpenBox"));
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  box.exec();
}

}  // namespace

QtPlatform::QtPlatform(const QString& program_folder)
    : QtCorePlatform(program_folder), opener_(OpenWithDesktopShell) {}

void QtPlatform::OpenDocument(const std::string& path) {
  const QString document = QFile::decodeName(QByteArray::fromStdString(path));
  QCoreApplication* application = QCoreApplication::instance();
  if (QThread::currentThread() == application->thread()) {
    Open(opener_, document);
    return;
  }
  QMetaObject::invokeMethod(
      application, [opener = opener_, document] { Open(opener, document); }, Qt::QueuedConnection);
}

}  // namespace qsim::gui
