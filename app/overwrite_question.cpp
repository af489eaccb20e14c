#include "app/overwrite_question.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/window_titles.h"

namespace qsim::gui {
namespace {

bool SameFile(const QFileInfo& file, const QString& other) {
  return !other.isEmpty() && file.canonicalFilePath() == QFileInfo(other).canonicalFilePath();
}

}  // namespace

bool MayReplaceFile(QWidget* parent, const QString& path, const QString& own_file) {
  const QFileInfo file(path);
  if (!file.exists() || SameFile(file, own_file))
    return true;
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(),
                  QStringLiteral("Файл \"%1\" уже существует. Заменить его?").arg(file.fileName()),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName(QStringLiteral("OverwritePrompt"));
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Заменить"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Отмена"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace qsim::gui
