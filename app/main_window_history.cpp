// The main window's undo history: every edit of the visual editor and every
// change of the text that the store takes in is a step that undo and redo put
// back exactly, store, text and picture.
#include <QMenuBar>
#include <QPlainTextEdit>

#include "app/canvas_view.h"
#include "app/code_editor.h"
#include "app/edit_history.h"
#include "app/gui_text.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "app/text_pane.h"
#include "editor/edit_names.h"
#include "editor/model_drawing.h"

namespace qsim::gui {

void MainWindow::BuildEditMenu() {
  history_ = new EditHistory(
      *store_, [this] { return PaneLines(*text_pane_); },
      [this](const ModelState& state) { RestoreModel(state); }, this);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("Правка"));
  edit->setObjectName(QStringLiteral("EditMenu"));
  edit->addActions({history_->undo_action(), history_->redo_action()});
  connect(history_->undo_action(), &QAction::triggered, this, &MainWindow::UndoClick);
  connect(history_->redo_action(), &QAction::triggered, this, &MainWindow::RedoClick);
  connect(text_pane_, &QPlainTextEdit::textChanged, history_, &EditHistory::Refresh);
}

// A compute command took the text in. The text read was the recorded one when
// only the model check changed it.
void MainWindow::RecordTakenText(const std::vector<std::string>& read) {
  history_->Record(history_->IsRecordedText(read)
                       ? QStringLiteral("исправление модели при проверке")
                       : QStringLiteral("изменение текста модели"));
}

// A typed text that reads as the recorded model makes no step: taking it in
// (which drops what the reader ignores) is then all there is to undo.
void MainWindow::UndoClick() {
  GuardCommand([this] {
    if (tools_->state().dragging) {
      history_->Revert();
      return;
    }
    if (history_->HasUntakenText()) {
      const int steps = history_->steps_recorded();
      ParseText();
      if (history_->steps_recorded() == steps)
        return;
    }
    history_->Undo();
  });
}

void MainWindow::RedoClick() {
  history_->Redo();
}

void MainWindow::ShowMoveUnderWay() {
  const EditorToolState& tools = tools_->state();
  history_->SetEditUnderWay(tools.dragging ? FromCp1251(MoveName(tools.drag_kind, tools.selected))
                                           : QString());
}

// The run options are no part of the model: they stay as the settings dialog
// holds them. A move in progress ends, and a connection whose source is gone.
void MainWindow::RestoreModel(const ModelState& state) {
  if (tools_->state().dragging)
    tools_->StopMoving();
  const bool visual = text_pane_->isHidden();
  if (visual)
    EraseModel(*store_, *picture_);
  state.store->RestoreInto(*store_);
  settings_dialog_->CopyOptions(store_->settings);
  SetPaneLines(*text_pane_, state.text);
  if (visual)
    DrawModel(*store_, *picture_);
  canvas_->update();
  const std::optional<ElementHit> source = tools_->ConnectSource();
  if (source && !store_->InUse(source->kind, source->slot))
    tools_->AbandonConnect();
  // The analysis must not take the restored store for the last run's.
  run_text_.clear();
  ShowEditorState();
}

}  // namespace qsim::gui
