#include "app/transition_dialog.h"

#include <QComboBox>

#include "app/list_width.h"
#include "app/object_names.h"

namespace qsim::gui {
namespace {

constexpr int kLeastListWidth = 177;

}  // namespace

TransitionDialog::TransitionDialog(QWidget* parent)
    : ElementDialog(names::kTransitionDialog, QSize(289, 49), parent),
      transition_list_(AddComboBox(kLeastListWidth)) {
  AddRow(QStringLiteral("Удалить переход в "), transition_list_);
  AddOkButton(QStringLiteral("ОК"), QSize(73, 17));
  AddCancelButton(QSize(73, 17));
  FitToContents();
}

std::optional<int> TransitionDialog::Choose(const QString& caption, const QStringList& items) {
  transition_list_->clear();
  setWindowTitle(caption);
  transition_list_->addItems(items);
  transition_list_->setCurrentIndex(0);
  FitListToItems(*transition_list_, kLeastListWidth);
  if (exec() != QDialog::Accepted)
    return std::nullopt;
  return transition_list_->currentIndex();
}

}  // namespace qsim::gui
