#include "app/transition_dialog.h"

#include <QComboBox>

namespace qsim::gui {

TransitionDialog::TransitionDialog(QWidget* parent)
    : ElementDialog("TForm7", QSize(289, 49), parent),
      transition_list_(AddComboBox(QPoint(112, 0), 177)) {
  AddLabel(QStringLiteral("Удалить переход в "), 2);
  AddOkButton(QStringLiteral("ОК"), QRect(216, 32, 73, 17));
  AddCancelButton(QRect(136, 32, 73, 17));
}

std::optional<int> TransitionDialog::Choose(const QString& caption, const QStringList& items) {
  transition_list_->clear();
  setWindowTitle(caption);
  transition_list_->addItems(items);
  transition_list_->setCurrentIndex(0);
  if (exec() != QDialog::Accepted)
    return std::nullopt;
  return transition_list_->currentIndex();
}

}  // namespace qsim::gui
