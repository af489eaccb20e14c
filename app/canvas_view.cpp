#include "app/canvas_view.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>

namespace qsim::gui {
namespace {

// The frame around a chosen element: a colour the drawing never uses.
const QColor kHighlightColour(0, 120, 215);

}  // namespace

CanvasView::CanvasView(const RasterCanvas& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
  setObjectName(QStringLiteral("Image1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

CanvasPoint CanvasView::PointerToCanvas() const {
  const QPoint p = mapFromGlobal(QCursor::pos());
  return {p.x(), p.y()};
}

void CanvasView::paintEvent(QPaintEvent* event) {
  const RgbImageView view = picture_.image();
  // A view of the picture's own bytes, not a copy: it lives only for this paint.
  const QImage image(view.bytes.data(), view.width, view.height, view.width * 3,
                     QImage::Format_RGB888);
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  const QRect shown = event->rect() & image.rect();
  painter.drawImage(shown.topLeft(), image, shown);
  if (highlight_) {
    // Two pixels clear of the box, so that the glyph itself stays as drawn.
    painter.setPen(QPen(kHighlightColour, 1));
    painter.drawRect(QRect(QPoint(int(highlight_->left) - 3, int(highlight_->top) - 3),
                           QPoint(int(highlight_->right) + 3, int(highlight_->bottom) + 3)));
  }
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

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_at_ && !drag_started_ &&
      (event->position().toPoint() - *pressed_at_).manhattanLength() >=
          QApplication::startDragDistance()) {
    drag_started_ = true;
    Q_EMIT DragStarted(*pressed_at_);
  }
  Q_EMIT PointerMoved();
}

}  // namespace qsim::gui
