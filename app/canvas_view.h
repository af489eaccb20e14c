#pragma once

#include <QWidget>

#include "editor/raster_canvas.h"

namespace qsim::gui {

// The visual editor's canvas `Image1`: shows the pixels of the model picture at
// their natural size from the top-left corner, without scrolling or zoom; what
// lies beyond the widget is drawn in the picture but not seen.
class CanvasView : public QWidget {
  Q_OBJECT

 public:
  // REQUIRES: `picture` outlives the view.
  CanvasView(const RasterCanvas& picture, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const RasterCanvas& picture_;
};

}  // namespace qsim::gui
