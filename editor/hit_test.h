#pragma once

#include "model/model_store.h"

namespace qsim {

// A point of the canvas, in pixels.
struct CanvasPoint {
  int x = 0;
  int y = 0;
};

// The element under a canvas point: slot 0 when there is none.
struct ElementHit {
  int slot = 0;
  ElementKind kind = ElementKind::Queue;
};

// The element whose glyph's main body contains the point. Slots are tested from 1
// to 150, in each the queue, the device and the generator, and every box that
// contains the point replaces what was found: the highest slot wins, and within a
// slot a generator beats a device, a device a queue. A device with fewer than one
// channel is never hit; the terminator is not an element.
ElementHit FindElementAt(const ModelStore& store, CanvasPoint p);

// True when the point lies in the terminator's box.
bool InTerminatorBox(const ModelStore& store, CanvasPoint p);

}  // namespace qsim
