#include "app/diagram_overlay.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <map>
#include <utility>

#include "app/canvas_zoom.h"
#include "app/gui_text.h"
#include "editor/link_paths.h"
#include "editor/model_edits.h"
#include "language/element_captions.h"

namespace qsim::gui {
namespace {

const QColor kNameColour(0, 70, 140);
const QColor kProbabilityColour(0, 110, 0);
const QColor kPointedColour(230, 110, 0);
// Behind a text, so that the lines it crosses do not garble it.
const QColor kTextGround(255, 255, 255, 210);

constexpr ElementKind kDrawingOrder[] = {ElementKind::Queue, ElementKind::Device,
                                         ElementKind::Generator};

// The middle of the view pixels that show picture pixel (x, y).
QPointF ViewPoint(std::int64_t x, std::int64_t y, int zoom) {
  const auto middle = [zoom](std::int64_t at) {
    const int pixel = int(std::clamp<std::int64_t>(at, -(1 << 24), 1 << 24));
    return (CanvasToView(pixel, zoom) + CanvasToView(pixel + 1, zoom)) / 2.0;
  };
  return {middle(x), middle(y)};
}

// `flags` place the text in `room` as QPainter::drawText does.
void PaintText(QPainter& painter, const QRectF& room, int flags, const QString& text) {
  const QRectF taken = painter.boundingRect(room, flags, text);
  painter.fillRect(taken, kTextGround);
  painter.drawText(room, flags, text);
}

QString UnnamedLabel(ElementKind kind, int slot) {
  static const QString kInitials[] = {QStringLiteral("Г"), QStringLiteral("О"),
                                      QStringLiteral("У")};
  return kInitials[static_cast<int>(kind)] + QString::number(slot);
}

QString NameOf(const ModelStore& store, ElementKind kind, int slot) {
  switch (kind) {
    case ElementKind::Generator:
      return FromCp1251(store.generator(slot).name.view());
    case ElementKind::Queue:
      return FromCp1251(store.queue(slot).name.view());
    case ElementKind::Device:
      break;
  }
  return FromCp1251(store.device(slot).name.view());
}

QString Line(const char* label, const QString& value) {
  return QStringLiteral("\n") + QString::fromUtf8(label) + value;
}

}  // namespace

bool DiagramOverlay::SetPointed(ElementHit hit) {
  if (hit.slot == pointed_.slot && (hit.slot == 0 || hit.kind == pointed_.kind))
    return false;
  pointed_ = hit;
  return true;
}

// The pointed element's figures are bold, the others shown only with the labels.
void DiagramOverlay::Paint(QPainter& painter, int zoom) const {
  painter.save();
  const bool pointed = pointed_.slot != 0 && store_.InUse(pointed_.kind, pointed_.slot);
  if (pointed)
    PaintPointedLines(painter, zoom);
  if (labels_shown_)
    PaintNames(painter, zoom);
  const QFont plain = painter.font();
  for (const ProbabilityLabel& label : LayOutProbabilities(painter, zoom)) {
    const bool bold = pointed && label.kind == pointed_.kind && label.slot == pointed_.slot;
    if (!labels_shown_ && !bold)
      continue;
    QFont font = plain;
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(bold ? kPointedColour : kProbabilityColour);
    PaintText(painter, label.room, label.flags, label.text);
  }
  painter.restore();
}

void DiagramOverlay::PaintNames(QPainter& painter, int zoom) const {
  painter.setPen(kNameColour);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    for (const ElementKind kind : kDrawingOrder) {
      if (!store_.InUse(kind, slot))
        continue;
      const CanvasBox box = ElementBox(store_, kind, slot);
      const QPointF below = ViewPoint((box.left + box.right) / 2, box.bottom + 1, zoom);
      const QString name = NameOf(store_, kind, slot);
      PaintText(painter, QRectF(below.x() - 500, below.y() + 1, 1000, 100),
                Qt::AlignHCenter | Qt::AlignTop, name.isEmpty() ? UnnamedLabel(kind, slot) : name);
    }
  }
}

// Above the run into the target, beside the corner where the line turns into it:
// to the right of it when the target lies to the right, else to the left. Lines
// that share their corner (those of a bus) stack their figures upwards, in the
// drawing's order, so that each stays readable.
std::vector<DiagramOverlay::ProbabilityLabel> DiagramOverlay::LayOutProbabilities(
    const QPainter& painter, int zoom) const {
  std::vector<ProbabilityLabel> labels;
  std::map<std::pair<std::int64_t, std::int64_t>, int> at_corner;
  const qreal height = painter.fontMetrics().height();
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    for (const ElementKind kind : kDrawingOrder) {
      if (!store_.InUse(kind, slot))
        continue;
      for (const LinkPath& link : OutgoingLinks(store_, kind, slot)) {
        const PicturePoint turn = link.points[1];
        const int below = at_corner[{turn.x, turn.y}]++;
        const QPointF corner = ViewPoint(turn.x, turn.y, zoom) - QPointF(0, below * height);
        const bool rightwards = link.points[2].x > turn.x;
        const QRectF room = rightwards ? QRectF(corner.x() + 3, corner.y() - 101, 500, 100)
                                       : QRectF(corner.x() - 503, corner.y() - 101, 500, 100);
        labels.push_back({kind, slot, room,
                          int(Qt::AlignBottom) | (rightwards ? Qt::AlignLeft : Qt::AlignRight),
                          FromCp1251(NumberText(link.route.prob, format_))});
      }
    }
  }
  return labels;
}

void DiagramOverlay::PaintPointedLines(QPainter& painter, int zoom) const {
  painter.setPen(QPen(kPointedColour, 2));
  for (const LinkPath& link : OutgoingLinks(store_, pointed_.kind, pointed_.slot)) {
    for (std::size_t i = 1; i < link.size; ++i) {
      painter.drawLine(ViewPoint(link.points[i - 1].x, link.points[i - 1].y, zoom),
                       ViewPoint(link.points[i].x, link.points[i].y, zoom));
    }
  }
}

QString DiagramOverlay::ToolTipAt(CanvasPoint p) const {
  const ElementHit hit = FindElementAt(store_, p);
  if (hit.slot != 0)
    return ElementToolTip(hit);
  if (InTerminatorBox(store_, p))
    return QStringLiteral("Терминатор заявок");
  return QString();
}

QString DiagramOverlay::ElementToolTip(ElementHit hit) const {
  QString tip = FromCp1251(ElementDescription(store_, hit.kind, hit.slot));
  const auto real = [this](double value) { return FromCp1251(NumberText(value, format_)); };
  switch (hit.kind) {
    case ElementKind::Generator: {
      const GeneratorRecord& g = store_.generator(hit.slot);
      tip += Line("Интенсивность потока заявок: ", QString::number(g.la)) +
             Line("Распределение: ", FromCp1251(DistributionName(g.rasp))) +
             Line("Дисперсия: ", real(g.disp)) +
             Line("Уровень приоритета заявок: ", QString::number(g.prior));
      break;
    }
    case ElementKind::Queue: {
      const QueueRecord& q = store_.queue(hit.slot);
      tip += Line("Максимальная длина: ", QString::number(q.len)) +
             Line("Дисциплина обслуживания: ", FromCp1251(DisciplineCaption(q.discip)));
      break;
    }
    case ElementKind::Device: {
      const DeviceRecord& d = store_.device(hit.slot);
      tip += Line("Среднее время обслуживания: ", real(d.v)) + Line("Дисперсия: ", real(d.disp)) +
             Line("Распределение: ", FromCp1251(DistributionName(d.rasp))) +
             Line("Число каналов: ", QString::number(d.k));
      break;
    }
  }
  QStringList routes;
  for (const std::string& item : TransitionItems(store_, hit.kind, hit.slot, format_))
    routes.append(FromCp1251(item));
  return tip + Line("Переходы: ", routes.isEmpty() ? QStringLiteral("нет") : routes.join(", "));
}

}  // namespace qsim::gui
