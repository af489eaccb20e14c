// The main window's side of the document: the text pane shows the document's
// lines and hands it what is typed, and undo and redo put back a state of its
// history, store, text and picture.
#include <QLabel>
#include <QPlainTextEdit>

#include "app/canvas_view.h"
#include "app/code_editor.h"
#include "app/gui_text.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "app/text_pane.h"
#include "app/undo_menu.h"
#include "app/window_dialogs.h"
#include "editor/edit_names.h"
#include "editor/model_drawing.h"

namespace qsim::gui {

// After a command that may have changed the document's lines; the pane hands
// them back as they read there (TakeTypedText), so both hold the same lines. A
// pane that holds them already keeps its text as typed, an empty last line too.
void MainWindow::ShowDocumentText() {
  if (PaneLines(*text_pane_) != document_.lines())
    SetPaneLines(*text_pane_, document_.lines());
  text_pane_->SetFailedLine(document_.failed_line());
  undo_menu_->Show(document_);
  ShowCaption();
}

// Every change of the pane's text, typed or made by a command.
void MainWindow::TakeTypedText() {
  document_.SetLines(PaneLines(*text_pane_));
  panels_.line_count->setText(QStringLiteral("Всего строк: ") +
                              QString::number(CountedLines(*text_pane_)));
  if (undo_menu_ != nullptr)
    undo_menu_->Show(document_);
  ShowCaption();
}

// A typed text that reads as the recorded model makes no step: taking it in
// (which drops what the reader ignores) is then all there is to undo.
void MainWindow::Undo() {
  GuardCommand([this] {
    if (tools_->state().dragging) {
      PutBack(&ModelDocument::Revert);
      return;
    }
    if (document_.HasUntakenText()) {
      const int steps = document_.steps_recorded();
      ParseText();
      if (document_.steps_recorded() == steps)
        return;
    }
    if (document_.CanUndo())
      PutBack(&ModelDocument::Undo);
  });
}

void MainWindow::Redo() {
  if (document_.CanRedo())
    PutBack(&ModelDocument::Redo);
}

void MainWindow::ShowMoveUnderWay() {
  const EditorToolState& tools = tools_->state();
  document_.SetEditUnderWay(tools.dragging ? MoveName(tools.drag_kind, tools.selected)
                                           : std::string());
  undo_menu_->Show(document_);
}

// The run options are no part of the model: they stay as the settings dialog
// holds them. A move in progress ends, and a connection whose source is gone.
void MainWindow::PutBack(void (ModelDocument::*put_back)()) {
  if (tools_->state().dragging)
    tools_->StopMoving();
  const bool visual = text_pane_->isHidden();
  if (visual)
    EraseModel(document_.store(), *picture_);
  (document_.*put_back)();
  dialogs_->settings->CopyOptions(document_.store().settings);
  ShowDocumentText();
  if (visual)
    DrawModel(document_.store(), *picture_);
  canvas_->update();
  const std::optional<ElementHit> source = tools_->ConnectSource();
  if (source && !document_.store().InUse(source->kind, source->slot))
    tools_->AbandonConnect();
  ShowEditorState();
}

}  // namespace qsim::gui
