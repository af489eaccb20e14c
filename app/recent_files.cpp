#include "app/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace qsim::gui {
namespace {

const QString kKey = QStringLiteral("recent_files");

QSettings UserSettings() {
  return QSettings(QStringLiteral("qsim"), QStringLiteral("qsim"));
}

}  // namespace

QStringList RecentFiles() {
  return UserSettings().value(kKey).toStringList().mid(0, kRecentFiles);
}

void RememberRecentFile(const QString& path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(file);
  files.prepend(file);
  UserSettings().setValue(kKey, files.mid(0, kRecentFiles));
}

}  // namespace qsim::gui
