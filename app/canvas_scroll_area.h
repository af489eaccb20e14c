#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QScrollArea>

#include <functional>

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
  // point at `anchor`, a point of the viewport, at that point. Near the
  // picture's edges the bars cannot scroll far enough; the offset they could
  // not take is remembered while they stay where the zoom left them, so that a
  // zoom out and back in comes back to the same view.
  void ZoomAt(int percent, QPoint anchor);

  // The least scale, up to 400 %, at which the picture box `box` fits the
  // viewport, with the box in the middle.
  void ZoomToFit(QRect box);

  // `bounds` gives the picture box of the whole model, for "Показать всю модель".
  void SetModelBounds(std::function<QRect()> bounds) { model_bounds_ = std::move(bounds); }

  // The zoom commands: "Увеличить" (Ctrl++ or Ctrl+=) and "Уменьшить" (Ctrl+-),
  // anchored at the middle of the viewport; "Масштаб 100 %" (Ctrl+0), which
  // shows the picture's top-left corner; "Показать всю модель" (Ctrl+9); Qt
  // object names `ZoomInItem`, `ZoomOutItem`, `ZoomResetItem`, `ZoomFitItem`.
  // And the status bar's panel `ZoomPanel`, "Масштаб: 100 %". Both are there
  // only while the canvas is shown; the window places them.
  const QList<QAction*>& zoom_actions() const { return zoom_actions_; }
  QLabel* zoom_panel() const { return zoom_panel_; }

  void setVisible(bool visible) override;

 protected:
  void wheelEvent(QWheelEvent* event) override;

 private:
  QAction* NewZoomAction(const QString& text, const char* name, const QList<QKeySequence>& keys,
                         const std::function<void()>& zoom);
  void ZoomByWheel(QWheelEvent* event);
  void ShowOrigin();
  // The bars' offset, or the one last asked for while they still hold what it left.
  QPointF ScrollOffset() const;
  void ScrollTo(QPointF offset);
  void ShowZoom();

  CanvasView* canvas_;
  QList<QAction*> zoom_actions_;
  QPointer<QLabel> zoom_panel_;
  // Ctrl with the wheel zooms one step per notch; a fine wheel's small turns
  // add up to notches.
  int wheel_turn_ = 0;
  std::function<QRect()> model_bounds_;
  QPointF asked_offset_;
  QPoint taken_offset_{-1, -1};
};

}  // namespace qsim::gui
