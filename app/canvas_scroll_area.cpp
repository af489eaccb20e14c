#include "app/canvas_scroll_area.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "app/canvas_view.h"
#include "app/canvas_zoom.h"

namespace qsim::gui {
namespace {

QString ZoomText(int percent) {
  return QStringLiteral("Масштаб: %1 %").arg(percent);
}

}  // namespace

CanvasScrollArea::CanvasScrollArea(CanvasView* canvas, QWidget* parent)
    : QScrollArea(parent), canvas_(canvas), zoom_panel_(new QLabel(ZoomText(kNoZoom), this)) {
  setObjectName(QStringLiteral("CanvasScrollArea"));
  setWidgetResizable(false);
  setWidget(canvas);
  zoom_panel_->setObjectName(QStringLiteral("ZoomPanel"));
  const auto at_middle = [this](int (*step)(int)) {
    return [this, step] { ZoomAt(step(canvas_->zoom()), viewport()->rect().center()); };
  };
  NewZoomAction(QStringLiteral("Увеличить"), "ZoomInItem",
                {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                at_middle(ZoomedIn));
  NewZoomAction(QStringLiteral("Уменьшить"), "ZoomOutItem", {QKeySequence::ZoomOut},
                at_middle(ZoomedOut));
  NewZoomAction(QStringLiteral("Масштаб 100 %"), "ZoomResetItem",
                {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { ShowOrigin(); });
  NewZoomAction(QStringLiteral("Показать всю модель"), "ZoomFitItem",
                {QKeySequence(Qt::CTRL | Qt::Key_9)}, [this] {
                  if (model_bounds_)
                    ZoomToFit(model_bounds_());
                });
}

QAction* CanvasScrollArea::NewZoomAction(const QString& text, const char* name,
                                         const QList<QKeySequence>& keys,
                                         const std::function<void()>& zoom) {
  auto* action = new QAction(text, this);
  action->setObjectName(QLatin1String(name));
  action->setShortcuts(keys);
  connect(action, &QAction::triggered, this, zoom);
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
  const QPointF picture_point = (QPointF(anchor) + ScrollOffset()) * kNoZoom / before;
  canvas_->SetZoom(percent);
  ScrollTo(picture_point * canvas_->zoom() / kNoZoom - QPointF(anchor));
  ShowZoom();
}

void CanvasScrollArea::ShowOrigin() {
  canvas_->SetZoom(kNoZoom);
  ScrollTo(QPointF());
  ShowZoom();
}

void CanvasScrollArea::ZoomToFit(QRect box) {
  const QSize room = viewport()->size();
  const double fits = std::min(room.width() / double(std::max(box.width(), 1)),
                               room.height() / double(std::max(box.height(), 1)));
  canvas_->SetZoom(int(fits * kNoZoom));
  const QPointF middle = QRectF(box).center() * canvas_->zoom() / kNoZoom;
  ScrollTo(middle - QPointF(room.width(), room.height()) / 2);
  ShowZoom();
}

QPointF CanvasScrollArea::ScrollOffset() const {
  const QPoint bars(horizontalScrollBar()->value(), verticalScrollBar()->value());
  return bars == taken_offset_ ? asked_offset_ : QPointF(bars);
}

void CanvasScrollArea::ScrollTo(QPointF offset) {
  horizontalScrollBar()->setValue(qRound(offset.x()));
  verticalScrollBar()->setValue(qRound(offset.y()));
  asked_offset_ = offset;
  taken_offset_ = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CanvasScrollArea::ShowZoom() {
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
