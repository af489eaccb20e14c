#include "app/canvas_scroll_area.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace qsim::gui {

CanvasScrollArea::CanvasScrollArea(QWidget* canvas, QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("CanvasScrollArea"));
  setWidgetResizable(false);
  setWidget(canvas);
}

// Shift turns the wheel sideways, as desktop editors do; one notch moves as many
// lines as the desktop asks for.
void CanvasScrollArea::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
  if (!event->modifiers().testFlag(Qt::ShiftModifier) || notches == 0) {
    QScrollArea::wheelEvent(event);
    return;
  }
  QScrollBar* bar = horizontalScrollBar();
  bar->setValue(bar->value() - notches * QApplication::wheelScrollLines() * bar->singleStep());
  event->accept();
}

}  // namespace qsim::gui
