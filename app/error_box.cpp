#include "app/error_box.h"

#include <QMessageBox>

#include "app/gui_text.h"
#include "app/window_titles.h"

namespace qsim::gui {

void ShowErrorBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, ApplicationTitle(), message + QLatin1Char('.'),
                  QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}

void ShowErrorBox(QWidget* parent, const QsimError& error) {
  QString text = MessageText(error);
  if (error.line() > 0)
    text = QStringLiteral("Строка %1: ").arg(error.line()) + text;
  ShowErrorBox(parent, text);
}

}  // namespace qsim::gui
