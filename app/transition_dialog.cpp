#include "app/transition_dialog.h"

#include <QComboBox>

namespace qsim::gui {

TransitionDialog::TransitionDialog(QWidget* parent)
    : ElementDialog("TForm7", QSize(289, 49), QPoint(192, 107), parent),
      combo_box1_(AddComboBox(QPoint(112, 0), 177)) {
  AddLabel(QStringLiteral("Удалить переход в "), 2);
  AddButton1(QStringLiteral("ОК"), QRect(216, 32, 73, 17));
}

std::optional<int> TransitionDialog::Choose(const QString& caption, const QStringList& items) {
  combo_box1_->clear();
  setWindowTitle(caption);
  combo_box1_->addItems(items);
  combo_box1_->setCurrentIndex(0);
  exec();
  const int chosen = ChosenPosition(*combo_box1_);
  if (chosen < 0)
    return std::nullopt;
  return chosen;
}

}  // namespace qsim::gui
