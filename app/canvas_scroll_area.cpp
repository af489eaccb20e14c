#include "app/canvas_scroll_area.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/canvas_view.h"
#include "app/canvas_zoom.h"

namespace qsim::gui {
namespace {

QString ZoomText(int percent) {
  return QStringLiteral("Масштаб: %1 %").arg(percent);
}

int NoZoom(int) {
  return kNoZoom;
}

}  // namespace

CanvasScrollArea::CanvasScrollArea(CanvasView* canvas, QWidget* parent)
    : QScrollArea(parent), canvas_(canvas), zoom_panel_(new QLabel(ZoomText(kNoZoom), this)) {
  setObjectName(QStringLiteral("CanvasScrollArea"));
  setWidgetResizable(false);
  setWidget(canvas);
  zoom_panel_->setObjectName(QStringLiteral("ZoomPanel"));
  NewZoomAction(QStringLiteral("Увеличить"), "ZoomInItem",
                {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, ZoomedIn);
  NewZoomAction(QStringLiteral("Уменьшить"), "ZoomOutItem", {QKeySequence::ZoomOut}, ZoomedOut);
  NewZoomAction(QStringLiteral("Масштаб 100 %"), "ZoomResetItem",
                {QKeySequence(Qt::CTRL | Qt::Key_0)}, NoZoom);
}

QAction* CanvasScrollArea::NewZoomAction(const QString& text, const char* name,
                                         const QList<QKeySequence>& keys, int (*percent)(int)) {
  auto* action = new QAction(text, this);
  action->setObjectName(QLatin1String(name));
  action->setShortcuts(keys);
  connect(action, &QAction::triggered, this,
          [this, percent] { ZoomAt(percent(canvas_->zoom()), viewport()->rect().center()); });
  zoom_actions_.append(action);
  return action;
}

void CanvasScrollArea::setVisible(bool visible) {
  QScrollArea::setVisible(visible);
  for (QAction* action : zoom_actions_)
    action->setEnabled(visible);
  if (zoom_panel_)
    zoom_panel_->setVisible(visible);
}

void CanvasScrollArea::ZoomAt(int percent, QPoint anchor) {
  const int before = canvas_->zoom();
  const QPointF picture_point = QPointF(anchor - canvas_->pos()) * kNoZoom / before;
  canvas_->SetZoom(percent);
  const QPointF view_point = picture_point * canvas_->zoom() / kNoZoom;
  horizontalScrollBar()->setValue(qRound(view_point.x() - anchor.x()));
  verticalScrollBar()->setValue(qRound(view_point.y() - anchor.y()));
  zoom_panel_->setText(ZoomText(canvas_->zoom()));
}

// Shift turns the wheel sideways, as desktop editors do; one notch moves as many
// lines as the desktop asks for.
void CanvasScrollArea::wheelEvent(QWheelEvent* event) {
  if (event->modifiers().testFlag(Qt::ControlModifier)) {
    ZoomByWheel(event);
    return;
  }
  const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
  if (!event->modifiers().testFlag(Qt::ShiftModifier) || notches == 0) {
    QScrollArea::wheelEvent(event);
    return;
  }
  QScrollBar* bar = horizontalScrollBar();
  bar->setValue(bar->value() - notches * QApplication::wheelScrollLines() * bar->singleStep());
  event->accept();
}

void CanvasScrollArea::ZoomByWheel(QWheelEvent* event) {
  event->accept();
  wheel_turn_ += event->angleDelta().y();
  const int notches = wheel_turn_ / QWheelEvent::DefaultDeltasPerStep;
  if (notches == 0)
    return;
  wheel_turn_ -= notches * QWheelEvent::DefaultDeltasPerStep;
  int percent = canvas_->zoom();
  for (int i = 0; i < notches; ++i)
    percent = ZoomedIn(percent);
  for (int i = 0; i > notches; --i)
    percent = ZoomedOut(percent);
  ZoomAt(percent, event->position().toPoint());
}

}  // namespace qsim::gui
