#pragma once

#include <QScrollArea>

namespace qsim::gui {

// The scroll area around the canvas `Image1`, so that every part of the large
// picture can be reached in a small window: scroll bars, the wheel for up and
// down and Shift with the wheel for left and right. Qt object name:
// `CanvasScrollArea`.
class CanvasScrollArea : public QScrollArea {
  Q_OBJECT

 public:
  // Takes `canvas` as the scrolled widget, at the size it has.
  CanvasScrollArea(QWidget* canvas, QWidget* parent);

 protected:
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace qsim::gui
