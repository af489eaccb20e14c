#include "app/edit_history.h"

#include <QAction>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

namespace qsim::gui {
namespace {

// Far more steps than a session makes; a step costs only the records it changed.
constexpr int kUndoLimit = 1000;

// One step: the change is already made when the step is pushed, so its first
// redo does nothing.
class ModelStep : public QUndoCommand {
 public:
  ModelStep(const QString& action, ModelState before, ModelState after,
            std::function<void(const ModelState&)> apply)
      : QUndoCommand(action),
        before_(std::move(before)),
        after_(std::move(after)),
        apply_(std::move(apply)) {}

  void undo() override { apply_(before_); }
  void redo() override {
    if (made_)
      apply_(after_);
    made_ = true;
  }

 private:
  ModelState before_;
  ModelState after_;
  std::function<void(const ModelState&)> apply_;
  bool made_ = false;
};

QAction* NewAction(const char* name, const QKeySequence& key, QObject* parent) {
  auto* action = new QAction(parent);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(key);
  return action;
}

}  // namespace

EditHistory::EditHistory(const ModelStore& store, ReadText text, Restore restore, QObject* parent)
    : QObject(parent),
      store_(store),
      text_(std::move(text)),
      restore_(std::move(restore)),
      stack_(new QUndoStack(this)),
      undo_action_(NewAction("UndoItem", QKeySequence::Undo, this)),
      redo_action_(NewAction("RedoItem", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this)) {
  stack_->setUndoLimit(kUndoLimit);
  redo_action_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(stack_, &QUndoStack::indexChanged, this, &EditHistory::Refresh);
  recorded_ = Now();
  Refresh();
}

EditHistory::~EditHistory() = default;

ModelState EditHistory::Now() const {
  return {std::make_shared<const StoreSnapshot>(store_, recorded_.store.get()), text_()};
}

void EditHistory::Clear() {
  stack_->clear();
  recorded_ = Now();
  Refresh();
}

void EditHistory::Record(const QString& action) {
  ModelState now = Now();
  if (now.text == recorded_.text) {
    recorded_ = std::move(now);
    return;
  }
  ModelState before = std::exchange(recorded_, now);
  ++steps_recorded_;
  stack_->push(
      new ModelStep(action, std::move(before), std::move(now), [this](const ModelState& s) {
        recorded_ = s;
        restore_(s);
      }));
}

void EditHistory::Keep() {
  recorded_.store = std::make_shared<const StoreSnapshot>(store_, recorded_.store.get());
}

void EditHistory::Revert() {
  restore_(recorded_);
}

bool EditHistory::IsRecordedText(const std::vector<std::string>& text) const {
  return text == recorded_.text;
}

bool EditHistory::HasUntakenText() const {
  return !IsRecordedText(text_());
}

void EditHistory::Undo() {
  stack_->undo();
}

void EditHistory::Redo() {
  stack_->redo();
}

void EditHistory::SetEditUnderWay(const QString& action) {
  if (action == under_way_)
    return;
  under_way_ = action;
  Refresh();
}

// An edit under way and a text not yet taken in come before the recorded
// steps, and leave nothing to redo.
void EditHistory::Refresh() {
  QString pending = under_way_;
  if (pending.isEmpty() && HasUntakenText())
    pending = QStringLiteral("изменение текста модели");
  const bool can_undo = !pending.isEmpty() || stack_->canUndo();
  const bool can_redo = pending.isEmpty() && stack_->canRedo();
  const QString undone = pending.isEmpty() ? stack_->undoText() : pending;
  undo_action_->setEnabled(can_undo);
  undo_action_->setText(can_undo ? QStringLiteral("Отменить: ") + undone
                                 : QStringLiteral("Отменить"));
  redo_action_->setEnabled(can_redo);
  redo_action_->setText(can_redo ? QStringLiteral("Повторить: ") + stack_->redoText()
                                 : QStringLiteral("Повторить"));
}

}  // namespace qsim::gui
