#pragma once

#include <QObject>

class QAction;

namespace qsim {
class ModelDocument;
}

namespace qsim::gui {

// The undo and redo commands of the "Правка" menu, a view of the document's
// history: "Отменить: удаление очереди 2" and "Повторить: ...", plain
// "Отменить" and "Повторить", and disabled, when there is nothing to do.
// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo. The window carries them out.
class UndoMenu : public QObject {
  Q_OBJECT

 public:
  explicit UndoMenu(QObject* parent);

  QAction* undo_action() const { return undo_action_; }
  QAction* redo_action() const { return redo_action_; }

  // Brings both commands up to date with the document.
  void Show(const ModelDocument& document);

 private:
  QAction* undo_action_;
  QAction* redo_action_;
};

}  // namespace qsim::gui
