#pragma once

#include <QWidget>

#include <optional>

#include "editor/hit_test.h"
#include "editor/raster_canvas.h"

namespace qsim::gui {

class DiagramOverlay;

// The visual editor's canvas `Image1`: shows the pixels of the model picture
// from the top-left corner at a scale of its own (see canvas_zoom.h); the
// window scrolls it. The scale is the view's alone: the picture keeps its
// pixels, and every point the view reports is a picture point. It tells of
// clicks, double clicks and pointer moves with the left button in mind; where
// they happened is asked of the pointer itself (`PointerToCanvas`). A double
// click arrives as a click followed by the double click.
class CanvasView : public QWidget {
  Q_OBJECT

 public:
  // REQUIRES: `picture` outlives the view.
  CanvasView(const RasterCanvas& picture, QWidget* parent);

  // The picture's pixel under the pointer: the pointer's screen position mapped
  // into the view and scaled back to the picture.
  CanvasPoint PointerToCanvas() const;

  // Shows the picture at `percent` (25 to 400, clamped); the view takes the
  // size of the scaled picture.
  void SetZoom(int percent);
  int zoom() const { return zoom_; }

  // Frames the box of the chosen element in the view only, never in the
  // picture; none takes the frame away.
  void SetHighlight(const std::optional<CanvasBox>& box);

  // Painted over the picture, and asked for the tooltips. REQUIRES: `overlay`
  // outlives the view.
  void SetOverlay(const DiagramOverlay* overlay) { overlay_ = overlay; }

 Q_SIGNALS:
  void Clicked();
  void DoubleClicked();
  void PointerMoved();
  // The pointer left the point where the left button went down, the button
  // still held: a drag from `from` (the picture point of the press) has begun.
  void DragStarted(QPoint from);
  // The context menu is asked for at picture point `at`, to open at `screen`.
  void ContextMenuAsked(QPoint at, QPoint screen);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PaintShrunk(QPainter& painter, const QImage& image);
  CanvasPoint ToCanvas(QPoint view) const;

  const RasterCanvas& picture_;
  int zoom_;
  std::optional<CanvasBox> highlight_;
  const DiagramOverlay* overlay_ = nullptr;
  // The release that ends a double click is no click of its own.
  bool double_clicked_ = false;
  // Where the left button went down, while it is held.
  std::optional<QPoint> pressed_at_;
  bool drag_started_ = false;
};

}  // namespace qsim::gui
