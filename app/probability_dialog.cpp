#include "app/probability_dialog.h"

#include <QLineEdit>

namespace qsim::gui {

ProbabilityDialog::ProbabilityDialog(QWidget* parent)
    : ElementDialog("TForm6", QSize(321, 43), QPoint(199, 163), parent),
      edit1_(AddEdit("Edit1", QPoint(232, 0), 89)) {
  AddLabel(QStringLiteral("Значение вероятности :"), 2);
  AddButton1(QStringLiteral("ОК"), QRect(232, 26, 89, 17));
}

QString ProbabilityDialog::Ask(const QString& caption, const QString& suggested) {
  setWindowTitle(caption);
  edit1_->setText(suggested);
  exec();
  return edit1_->text();
}

}  // namespace qsim::gui
