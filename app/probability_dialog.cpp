#include "app/probability_dialog.h"

#include <QLineEdit>

namespace qsim::gui {

ProbabilityDialog::ProbabilityDialog(QWidget* parent)
    : ElementDialog("TForm6", QSize(321, 43), QPoint(199, 163), parent),
      probability_edit_(AddEdit("Edit1", QPoint(232, 0), 89)) {
  AddLabel(QStringLiteral("Значение вероятности :"), 2);
  AddOkButton(QStringLiteral("ОК"), QRect(232, 26, 89, 17));
}

QString ProbabilityDialog::Ask(const QString& caption, const QString& suggested) {
  setWindowTitle(caption);
  probability_edit_->setText(suggested);
  exec();
  return probability_edit_->text();
}

}  // namespace qsim::gui
