#include "app/tool_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <iterator>

namespace qsim::gui {
namespace {

constexpr int kSize = 16;

using Painting = void (*)(QPainter&);

void PaintPage(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawPolygon(
      QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
  p.drawPolyline(QPolygon({QPoint(10, 1), QPoint(10, 4), QPoint(13, 4)}));
}

void PaintTextPage(QPainter& p) {
  PaintPage(p);
  for (int y = 6; y <= 12; y += 2)
    p.drawLine(5, y, 11, y);
}

void PaintFolder(QPainter& p) {
  p.setBrush(QColor(240, 200, 80));
  p.drawPolygon(QPolygon(
      {QPoint(1, 3), QPoint(6, 3), QPoint(7, 5), QPoint(14, 5), QPoint(14, 13), QPoint(1, 13)}));
}

void PaintDisk(QPainter& p) {
  p.setBrush(QColor(70, 110, 190));
  p.drawRect(1, 1, 13, 13);
  p.setBrush(Qt::white);
  p.drawRect(4, 1, 7, 5);
  p.drawRect(3, 9, 9, 5);
}

void PaintSliders(QPainter& p) {
  p.setBrush(QColor(90, 90, 90));
  for (int row = 0; row < 3; ++row) {
    const int y = 3 + row * 5;
    p.drawLine(1, y, 14, y);
    p.drawRect(3 + row * 4, y - 2, 3, 4);
  }
}

void PaintRun(QPainter& p) {
  p.setBrush(QColor(40, 160, 60));
  p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(13, 8), QPoint(4, 14)}));
}

void PaintChart(QPainter& p) {
  p.drawPolyline(QPolygon({QPoint(1, 1), QPoint(1, 14), QPoint(14, 14)}));
  p.setPen(QPen(QColor(40, 100, 200), 2));
  p.drawPolyline(QPolygon({QPoint(3, 12), QPoint(6, 8), QPoint(9, 9), QPoint(13, 3)}));
}

void PaintSchematic(QPainter& p) {
  p.drawRect(1, 5, 5, 5);
  p.drawLine(6, 7, 10, 7);
  p.setPen(Qt::red);
  p.drawLine(8, 5, 10, 7);
  p.drawLine(8, 9, 10, 7);
  p.setPen(Qt::black);
  p.drawEllipse(10, 4, 5, 6);
}

void PaintLetter(QPainter& p, const QColor& color, const QString& letter) {
  p.setBrush(color);
  p.drawEllipse(1, 1, 13, 13);
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, letter);
}

void PaintAbout(QPainter& p) {
  PaintLetter(p, QColor(50, 100, 200), QStringLiteral("i"));
}

void PaintHelp(QPainter& p) {
  PaintLetter(p, QColor(50, 100, 200), QStringLiteral("?"));
}

void PaintExit(QPainter& p) {
  p.drawRect(2, 1, 7, 13);
  p.setPen(QColor(200, 40, 40));
  p.drawLine(6, 8, 14, 8);
  p.drawLine(11, 5, 14, 8);
  p.drawLine(11, 11, 14, 8);
}

void PaintGenerator(QPainter& p) {
  p.drawPolyline(QPolygon({QPoint(9, 3), QPoint(1, 3), QPoint(1, 12), QPoint(9, 12)}));
  p.drawLine(1, 7, 14, 7);
  p.setPen(Qt::red);
  p.drawLine(10, 5, 14, 7);
  p.drawLine(10, 9, 14, 7);
}

void PaintQueue(QPainter& p) {
  p.drawPolyline(QPolygon({QPoint(4, 3), QPoint(13, 3), QPoint(13, 12), QPoint(4, 12)}));
  for (int x : {8, 10, 12})
    p.drawLine(x, 3, x, 12);
  p.drawLine(0, 7, 7, 7);
}

void PaintDevice(QPainter& p) {
  p.drawLine(0, 7, 5, 7);
  p.drawRect(5, 3, 9, 9);
  p.setPen(Qt::red);
  p.drawLine(2, 5, 4, 7);
  p.drawLine(2, 9, 4, 7);
}

void PaintConnect(QPainter& p) {
  p.drawRect(0, 1, 5, 5);
  p.drawRect(10, 9, 5, 5);
  p.drawPolyline(QPolygon({QPoint(5, 3), QPoint(8, 3), QPoint(8, 11), QPoint(10, 11)}));
}

void PaintDisconnect(QPainter& p) {
  PaintConnect(p);
  p.setPen(QPen(QColor(200, 40, 40), 2));
  p.drawLine(5, 6, 11, 8);
}

void PaintMove(QPainter& p) {
  p.drawLine(8, 1, 8, 14);
  p.drawLine(1, 8, 14, 8);
  p.setBrush(Qt::black);
  p.drawPolygon(QPolygon({QPoint(8, 0), QPoint(5, 3), QPoint(11, 3)}));
  p.drawPolygon(QPolygon({QPoint(8, 15), QPoint(5, 12), QPoint(11, 12)}));
  p.drawPolygon(QPolygon({QPoint(0, 8), QPoint(3, 5), QPoint(3, 11)}));
  p.drawPolygon(QPolygon({QPoint(15, 8), QPoint(12, 5), QPoint(12, 11)}));
}

void PaintDelete(QPainter& p) {
  p.setPen(QPen(QColor(200, 40, 40), 3));
  p.drawLine(3, 3, 12, 12);
  p.drawLine(12, 3, 3, 12);
}

struct IconSource {
  const char* theme_name;  // empty: always our own picture
  Painting paint;
};

// In the order of ToolIcon.
constexpr IconSource kSources[] = {
    {"document-new", PaintPage},
    {"document-open", PaintFolder},
    {"document-save", PaintDisk},
    {"preferences-system", PaintSliders},
    {"media-playback-start", PaintRun},
    {"", PaintChart},
    {"accessories-text-editor", PaintTextPage},
    {"", PaintSchematic},
    {"help-about", PaintAbout},
    {"help-contents", PaintHelp},
    {"application-exit", PaintExit},
    {"", PaintGenerator},
    {"", PaintQueue},
    {"", PaintDevice},
    {"", PaintConnect},
    {"", PaintDisconnect},
    {"", PaintMove},
    {"", PaintDelete},
};
static_assert(std::size(kSources) == std::size_t(ToolIcon::Delete) + 1);

// Painted once per screen scale, so that a scaled screen shows sharp strokes
// rather than a blurred enlargement of the 16-pixel picture.
QIcon OwnPicture(Painting paint) {
  QIcon icon;
  for (const int scale : {1, 2, 3}) {
    QPixmap pixmap(kSize * scale, kSize * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    paint(painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon MakeToolIcon(ToolIcon icon) {
  const IconSource& source = kSources[std::size_t(icon)];
  const QIcon own = OwnPicture(source.paint);
  if (*source.theme_name == '\0')
    return own;
  return QIcon::fromTheme(QString::fromLatin1(source.theme_name), own);
}

}  // namespace qsim::gui
