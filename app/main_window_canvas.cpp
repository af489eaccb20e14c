// The main window's canvas: the editing tools' clicks, drags and pointer moves,
// and the status bar that follows them.
#include <QLabel>

#include "app/canvas_view.h"
#include "app/gui_text.h"
#include "app/main_window.h"
#include "editor/hit_test.h"
#include "editor/model_drawing.h"

namespace qsim::gui {

// Before an edit of the picture after a failed reading: the edit would change a
// half-read store, so the text is read first, and failing again ends the edit.
// The canvas of a failed reading is blank, so a reading that succeeds draws.
void MainWindow::ReadFailedTextAgain() {
  if (document_.failed_line() == 0)
    return;
  ParseText();
  DrawModel(document_.store(), *picture_);
  canvas_->update();
}

void MainWindow::CanvasClicked() {
  GuardCommand([this] {
    ReadFailedTextAgain();
    tools_->Click(canvas_->PointerToCanvas());
  });
  ShowEditorState();
}

void MainWindow::CanvasDoubleClicked() {
  GuardCommand([this] {
    ReadFailedTextAgain();
    tools_->DoubleClick(canvas_->PointerToCanvas());
  });
  ShowEditorState();
}

void MainWindow::CanvasDragStarted(QPoint from) {
  const CanvasPoint p{from.x(), from.y()};
  if (!tools_->CanPickAt(p))
    return;
  GuardCommand([this, p] {
    ReadFailedTextAgain();
    tools_->Click(p);
  });
  ShowEditorState();
}

void MainWindow::AbandonConnect() {
  tools_->AbandonConnect();
  ShowEditorState();
}

// After every edit and tool change: the element under the pointer as the store
// now describes it, and the connection in progress with its chosen source.
void MainWindow::ShowEditorState() {
  panels_.element->setText(FromCp1251(tools_->DescribeAt(canvas_->PointerToCanvas())));
  panels_.hint->setText(FromCp1251(tools_->Hint()));
  const std::optional<ElementHit> source = tools_->ConnectSource();
  canvas_->SetHighlight(source ? std::optional(ElementBox(store(), source->kind, source->slot))
                               : std::nullopt);
  ShowMoveUnderWay();
}

void MainWindow::CanvasPointerMoved() {
  panels_.element->setText(FromCp1251(tools_->PointerMoved(canvas_->PointerToCanvas())));
}

}  // namespace qsim::gui
