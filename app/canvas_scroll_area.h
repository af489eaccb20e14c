#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>
#include <QScrollArea>

class QAction;

namespace qsim::gui {

class CanvasView;

// The scroll area around the canvas `Image1`, so that every part of the large
// picture can be reached in a small window: scroll bars, the wheel for up and
// down and Shift with the wheel for left and right. Ctrl with the wheel zooms
// the view, keeping the picture point under the pointer where it is. Qt object
// name: `CanvasScrollArea`.
class CanvasScrollArea : public QScrollArea {
  Q_OBJECT

 public:
  // Takes `canvas` as the scrolled widget.
  CanvasScrollArea(CanvasView* canvas, QWidget* parent);

  // Shows the picture at `percent` (clamped to 25..400), keeping the picture
  // point at `anchor`, a point of the viewport, at that point.
  void ZoomAt(int percent, QPoint anchor);

  // The zoom commands, anchored at the middle of the viewport: "Увеличить"
  // (Ctrl++ or Ctrl+=), "Уменьшить" (Ctrl+-), "Масштаб 100 %" (Ctrl+0); Qt
  // object names `ZoomInItem`, `ZoomOutItem`, `ZoomResetItem`. And the status
  // bar's panel `ZoomPanel`, "Масштаб: 100 %". Both are there only while the
  // canvas is shown; the window places them.
  const QList<QAction*>& zoom_actions() const { return zoom_actions_; }
  QLabel* zoom_panel() const { return zoom_panel_; }

  void setVisible(bool visible) override;

 protected:
  void wheelEvent(QWheelEvent* event) override;

 private:
  QAction* NewZoomAction(const QString& text, const char* name, const QList<QKeySequence>& keys,
                         int (*percent)(int));
  void ZoomByWheel(QWheelEvent* event);

  CanvasView* canvas_;
  QList<QAction*> zoom_actions_;
  QPointer<QLabel> zoom_panel_;
  // Ctrl with the wheel zooms one step per notch; a fine wheel's small turns
  // add up to notches.
  int wheel_turn_ = 0;
};

}  // namespace qsim::gui
