#pragma once

#include <QRectF>
#include <QString>

#include <vector>

#include "editor/hit_test.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

class QPainter;

namespace qsim::gui {

// What the canvas shows over the model picture and never in it, so that the
// picture, the report's picture and `qsim-cli draw` keep their pixels: the name
// of every element below its glyph (unnamed ones by kind and slot, "Г1", "О2",
// "У3"), the probability of every transition where its line turns toward the
// target, and, for the element under the pointer, its outgoing lines in a
// colour of their own with their probabilities in bold, so that lines that
// share a run can be told apart. Texts are painted at the screen's own size at
// every scale of the view.
class DiagramOverlay {
 public:
  // REQUIRES: `store` outlives the overlay.
  DiagramOverlay(const ModelStore& store, const NumberFormat& format)
      : store_(store), format_(format) {}

  // Names and probabilities; the lines under the pointer stand out either way.
  void SetLabelsShown(bool shown) { labels_shown_ = shown; }
  bool labels_shown() const { return labels_shown_; }

  // The element whose lines stand out; slot 0: none. True when it changed.
  bool SetPointed(ElementHit hit);

  // Paints onto the view that shows the picture at `zoom` percent.
  void Paint(QPainter& painter, int zoom) const;

  // The element's main parameters and transitions, or the terminator's name;
  // empty over empty canvas.
  QString ToolTipAt(CanvasPoint p) const;

 private:
  // Where a transition's probability is written, in view pixels.
  struct ProbabilityLabel {
    ElementKind kind;
    int slot;
    QRectF room;
    int flags;  // QPainter::drawText's, in `room`
    QString text;
  };

  void PaintNames(QPainter& painter, int zoom) const;
  std::vector<ProbabilityLabel> LayOutProbabilities(const QPainter& painter, int zoom) const;
  void PaintPointedLines(QPainter& painter, int zoom) const;
  QString ElementToolTip(ElementHit hit) const;

  const ModelStore& store_;
  NumberFormat format_;
  bool labels_shown_ = true;
  ElementHit pointed_;
};

}  // namespace qsim::gui
