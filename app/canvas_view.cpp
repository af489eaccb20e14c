#include "app/canvas_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace qsim::gui {

CanvasView::CanvasView(const RasterCanvas& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
  setObjectName(QStringLiteral("Image1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
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
}

}  // namespace qsim::gui
