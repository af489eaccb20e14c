// The main window's canvas: the editing tools' clicks, drags and pointer moves,
// and the status bar that follows them.
#include <QLabel>
#include <QMenu>

#include <algorithm>

#include "app/canvas_view.h"
#include "app/canvas_zoom.h"
#include "app/diagram_overlay.h"
#include "app/gui_text.h"
#include "app/main_window.h"
#include "app/object_names.h"
#include "editor/hit_test.h"
#include "editor/link_paths.h"
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
  CanvasEdit([this] { tools_->Click(canvas_->PointerToCanvas()); });
}

void MainWindow::CanvasDoubleClicked() {
  CanvasEdit([this] { tools_->DoubleClick(canvas_->PointerToCanvas(), LineTolerance()); });
}

// With the move tool armed the drag is its click; with no tool armed it picks up
// what lies under the press.
void MainWindow::CanvasDragStarted(QPoint from) {
  const CanvasPoint p{from.x(), from.y()};
  if (tools_->CanPickAt(p))
    CanvasEdit([this, p] { tools_->Click(p); });
  else if (!tools_->AnyToolArmed())
    CanvasEdit([this, p] { tools_->PickUp(p); });
}

void MainWindow::CanvasEdit(const std::function<void()>& edit) {
  GuardCommand([this, &edit] {
    ReadFailedTextAgain();
    edit();
  });
  ShowEditorState();
}

int MainWindow::LineTolerance() const {
  return std::max(1, 3 * kNoZoom / canvas_->zoom());
}

void MainWindow::CanvasContextMenu(QPoint at, QPoint screen) {
  if (tools_->state().dragging)
    return;
  const CanvasPoint p{at.x(), at.y()};
  QMenu menu(this);
  const auto add = [this, &menu](const QString& text, const char* name,
                                 const std::function<void()>& edit) {
    QAction* action = menu.addAction(text, this, [this, edit] { CanvasEdit(edit); });
    action->setObjectName(QLatin1String(name));
  };
  if (const ElementHit hit = FindElementAt(store(), p); hit.slot != 0) {
    menu.setObjectName(QLatin1String(names::kElementMenu));
    add(QStringLiteral("Параметры..."), names::kParametersItem,
        [this, hit] { tools_->EditElement(hit); });
    add(QStringLiteral("Соединить..."), names::kConnectItem,
        [this, hit] { tools_->ConnectFrom(hit); });
    add(QStringLiteral("Удалить"), names::kDeleteItem,
        [this, hit] { tools_->DeleteElementAt(hit); });
  } else if (const TransitionHit line = FindTransitionAt(store(), p, LineTolerance());
             line.slot != 0) {
    menu.setObjectName(QLatin1String(names::kTransitionMenu));
    add(QStringLiteral("Вероятность..."), names::kProbabilityItem,
        [this, line] { tools_->EditProbability(line); });
    add(QStringLiteral("Удалить переход"), names::kDisconnectItem,
        [this, line] { tools_->DisconnectTransition(line); });
  } else {
    return;
  }
  menu.exec(screen);
}

void MainWindow::DeleteSelection() {
  CanvasEdit([this] { tools_->DeleteSelection(); });
}

void MainWindow::AbandonConnect() {
  tools_->DisarmAll();
  ShowEditorState();
}

// After every edit and tool change: the element under the pointer as the store
// now describes it, and the connection in progress with its chosen source.
void MainWindow::ShowEditorState() {
  panels_.element->setText(FromCp1251(tools_->DescribeAt(canvas_->PointerToCanvas())));
  panels_.hint->setText(FromCp1251(tools_->Hint()));
  std::optional<ElementHit> framed = tools_->ConnectSource();
  if (!framed)
    framed = tools_->Selection();
  canvas_->SetHighlight(framed ? std::optional(ElementBox(store(), framed->kind, framed->slot))
                               : std::nullopt);
  ShowMoveUnderWay();
}

// The element under the pointer is named in the status bar, and its lines stand
// out on the canvas.
void MainWindow::CanvasPointerMoved() {
  const CanvasPoint p = canvas_->PointerToCanvas();
  panels_.element->setText(FromCp1251(tools_->PointerMoved(p)));
  if (overlay_->SetPointed(FindElementAt(store(), p)))
    canvas_->update();
}

}  // namespace qsim::gui
