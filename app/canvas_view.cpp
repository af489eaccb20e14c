#include "app/canvas_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>

#include <algorithm>

#include "app/canvas_zoom.h"
#include "app/diagram_overlay.h"
#include "app/object_names.h"

namespace qsim::gui {
namespace {

// The frame around a chosen element: a colour the drawing never uses.
const QColor kHighlightColour(0, 120, 215);

}  // namespace

CanvasView::CanvasView(const RasterCanvas& picture, QWidget* parent)
    : QWidget(parent), picture_(picture), zoom_(kNoZoom) {
  setObjectName(QLatin1String(names::kCanvas));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFixedSize(RasterCanvas::kWidth, RasterCanvas::kHeight);
}

CanvasPoint CanvasView::PointerToCanvas() const {
  return ToCanvas(mapFromGlobal(QCursor::pos()));
}

CanvasPoint CanvasView::ToCanvas(QPoint view) const {
  return {ViewToCanvas(view.x(), zoom_), ViewToCanvas(view.y(), zoom_)};
}

void CanvasView::SetZoom(int percent) {
  zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
  setFixedSize(CanvasToView(RasterCanvas::kWidth, zoom_),
               CanvasToView(RasterCanvas::kHeight, zoom_));
  update();
}

// Enlarged, each picture pixel is a block of view pixels; shrunk, a view pixel
// is the mean of the pixels it covers, so that thin lines stay visible.
void CanvasView::paintEvent(QPaintEvent* event) {
  const RgbImageView view = picture_.image();
  // A view of the picture's own bytes, not a copy: it lives only for this paint.
  const QImage image(view.bytes.data(), view.width, view.height, view.width * 3,
                     QImage::Format_RGB888);
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (zoom_ < kNoZoom) {
    PaintShrunk(painter, image);
  } else {
    const QRect exposed = event->rect();
    const CanvasPoint from = ToCanvas(exposed.topLeft());
    const CanvasPoint to = ToCanvas(exposed.bottomRight());
    const QRect shown = QRect(QPoint(from.x, from.y), QPoint(to.x, to.y)) & image.rect();
    painter.save();
    painter.scale(zoom_ / double(kNoZoom), zoom_ / double(kNoZoom));
    painter.drawImage(shown.topLeft(), image, shown);
    painter.restore();
  }
  if (highlight_) {
    // Two view pixels clear of the box at every scale, so that the glyph itself
    // stays as drawn.
    const QPoint top_left(CanvasToView(int(highlight_->left), zoom_),
                          CanvasToView(int(highlight_->top), zoom_));
    const QPoint bottom_right(CanvasToView(int(highlight_->right) + 1, zoom_) - 1,
                              CanvasToView(int(highlight_->bottom) + 1, zoom_) - 1);
    painter.setPen(QPen(kHighlightColour, 1));
    painter.drawRect(QRect(top_left - QPoint(3, 3), bottom_right + QPoint(3, 3)));
  }
  if (overlay_ != nullptr)
    overlay_->Paint(painter, zoom_);
}

bool CanvasView::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip || overlay_ == nullptr)
    return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QString tip = overlay_->ToolTipAt(ToCanvas(help->pos()));
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(help->globalPos(), tip, this);
  return true;
}

void CanvasView::PaintShrunk(QPainter& painter, const QImage& image) {
  painter.drawImage(QPoint(0, 0),
                    image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void CanvasView::SetHighlight(const std::optional<CanvasBox>& box) {
  highlight_ = box;
  update();
}

// A press also ends a double click whose release went to a dialog it opened.
void CanvasView::mousePressEvent(QMouseEvent* event) {
  double_clicked_ = false;
  if (event->button() != Qt::LeftButton)
    return;
  pressed_at_ = event->position().toPoint();
  drag_started_ = false;
}

// A click is a left press and release inside the view.
void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton)
    return;
  pressed_at_.reset();
  if (double_clicked_) {
    double_clicked_ = false;
    return;
  }
  if (rect().contains(event->position().toPoint()))
    Q_EMIT Clicked();
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton)
    return;
  double_clicked_ = true;
  Q_EMIT DoubleClicked();
}

void CanvasView::contextMenuEvent(QContextMenuEvent* event) {
  const CanvasPoint at = ToCanvas(event->pos());
  Q_EMIT ContextMenuAsked(QPoint(at.x, at.y), event->globalPos());
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_at_ && !drag_started_ &&
      (event->position().toPoint() - *pressed_at_).manhattanLength() >=
          QApplication::startDragDistance()) {
    drag_started_ = true;
    const CanvasPoint from = ToCanvas(*pressed_at_);
    Q_EMIT DragStarted(QPoint(from.x, from.y));
  }
  Q_EMIT PointerMoved();
}

}  // namespace qsim::gui
