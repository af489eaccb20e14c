#include "app/undo_menu.h"

#include <QAction>

#include "app/gui_text.h"
#include "app/object_names.h"
#include "commands/model_document.h"

namespace qsim::gui {
namespace {

QAction* NewAction(const char* name, const QKeySequence& key, QObject* parent) {
  auto* action = new QAction(parent);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(key);
  return action;
}

}  // namespace

UndoMenu::UndoMenu(QObject* parent)
    : QObject(parent),
      undo_action_(NewAction(names::kUndoItem, QKeySequence::Undo, this)),
      redo_action_(
          NewAction(names::kRedoItem, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this)) {
  redo_action_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

void UndoMenu::Show(const ModelDocument& document) {
  const bool can_undo = document.CanUndo();
  undo_action_->setEnabled(can_undo);
  undo_action_->setText(can_undo ? QStringLiteral("Отменить: ") + FromCp1251(document.UndoName())
                                 : QStringLiteral("Отменить"));
  const bool can_redo = document.CanRedo();
  redo_action_->setEnabled(can_redo);
  redo_action_->setText(can_redo ? QStringLiteral("Повторить: ") + FromCp1251(document.RedoName())
                                 : QStringLiteral("Повторить"));
}

}  // namespace qsim::gui
