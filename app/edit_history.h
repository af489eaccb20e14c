#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/model_store.h"
#include "model/store_snapshot.h"

class QAction;
class QUndoStack;

namespace qsim::gui {

// The model as the window showed it at one moment: the store and the lines of
// the text pane (Windows-1251).
struct ModelState {
  std::shared_ptr<const StoreSnapshot> store;
  std::vector<std::string> text;
};

// The undo history of the model. Each step holds the whole model before and
// after it, so undo and redo put back exactly what was there; neighbouring
// steps share the state between them. The history follows the model: it keeps
// the state of the last step (the recorded state), and the next step reaches
// from there to the model as it then stands, so that a move, whose element
// follows the pointer long before it is dropped, is one step from the pick to
// the drop.
class EditHistory : public QObject {
  Q_OBJECT

 public:
  using ReadText = std::function<std::vector<std::string>()>;
  using Restore = std::function<void(const ModelState&)>;

  // REQUIRES: `store` outlives the history. `text` reads the text pane;
  // `restore` puts a state into the store, the text pane and the picture.
  EditHistory(const ModelStore& store, ReadText text, Restore restore, QObject* parent);
  ~EditHistory() override;

  // The model as it stands begins the history: nothing to undo or redo.
  void Clear();

  // The change from the recorded state to the model as it stands is one step
  // named `action` ("удаление очереди 2"). A change that leaves the text as it
  // was (the results of a run, a dialog closed with the values it showed) is no
  // step: the store is kept as the recorded state.
  void Record(const QString& action);

  // Keeps the store as it stands as the recorded state, without a step: for
  // what is no part of the model text, such as the ranges of a sweep.
  void Keep();

  // Puts the recorded state back, undoing what changed since the last step.
  void Revert();

  // True when `text` is the text of the recorded state.
  bool IsRecordedText(const std::vector<std::string>& text) const;

  // True when the text pane holds a text that the store has not taken in (typed
  // in the code editor): undo takes it in first, and there is nothing to redo.
  bool HasUntakenText() const;

  // The number of steps recorded so far, to tell whether a command made one.
  int steps_recorded() const { return steps_recorded_; }

  // An edit under way that undo abandons with Revert, such as a move whose
  // element follows the pointer: its name, or empty when none is.
  void SetEditUnderWay(const QString& action);

  // Brings the commands up to date after the text pane changed.
  void Refresh();

  // The commands for the menu, which the window carries out with Undo and Redo:
  // "Отменить: удаление очереди 2" and "Повторить: ...", plain "Отменить" and
  // "Повторить", and disabled, when there is nothing to do; an edit under way
  // and an untaken text are offered for undo first. Ctrl+Z undoes,
  // Ctrl+Shift+Z and Ctrl+Y redo. Qt object names `UndoItem` and `RedoItem`.
  QAction* undo_action() const { return undo_action_; }
  QAction* redo_action() const { return redo_action_; }

  // Puts back the state before the last step, or after the step undone last.
  void Undo();
  void Redo();

 private:
  ModelState Now() const;

  const ModelStore& store_;
  ReadText text_;
  Restore restore_;
  QUndoStack* stack_;
  ModelState recorded_;
  int steps_recorded_ = 0;
  QString under_way_;
  QAction* undo_action_;
  QAction* redo_action_;
};

}  // namespace qsim::gui
