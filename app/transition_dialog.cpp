#include "app/transition_dialog.h"

#include <QComboBox>

namespace qsim::gui {

TransitionDialog::TransitionDialog(QWidget* parent)
    : ElementDialog("TForm7", QSize(289, 49), QPoint(192, 107), parent),
      transition_list_(AddComboBox(QPoint(112, 0), 177)) {
  AddLabel(QStringLiteral("Удалить переход в "), 2);
  AddOkButton(QStringLiteral("ОК"), QRect(216, 32, 73, 17));
}

std::optional<int> TransitionDialog::Choose(const QString& caption, const QStringList& items) {
  transition_list_->clear();
  setWindowTitle(caption);
  transition_list_->addItems(items);
  transition_list_->setCurrentIndex(0);
  exec();
  const int chosen = ChosenPosition(*transition_list_);
  if (chosen < 0)
    return std::nullopt;
  return chosen;
}

}  // namespace qsim::gui
