#include "app/overload_question.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/window_titles.h"

namespace qsim::gui {

bool MayRunOverloaded(QWidget* parent, const QString& warning) {
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(), warning,
                  QMessageBox::Yes | QMessageBox::Cancel, parent);
  box.setObjectName(QStringLiteral("OverloadPrompt"));
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Продолжить"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace qsim::gui
