#pragma once

#include <cstdint>

#include "model/model_store.h"

namespace qsim {

// A point of the canvas, in pixels.
struct CanvasPoint {
  int x = 0;
  int y = 0;
};

// Every glyph stands on a box this wide and high whose top-left corner is the
// element's position (`xc`, `yc`): a queue, a generator, a one-channel device and
// the terminator are drawn on it and found by it. A device of more channels
// stacks one box above and one below.
inline constexpr int kGlyphWidth = 15;
inline constexpr int kGlyphHeight = 10;

// The element under a canvas point: slot 0 when there is none.
struct ElementHit {
  int slot = 0;
  ElementKind kind = ElementKind::Queue;
};

// The element whose glyph's main body contains the point. Slots are tested from 1
// to 150, in each the queue, the device and the generator, and every box that
// contains the point replaces what was found: the highest slot wins, and within a
// slot a generator beats a device, a device a queue. A device without channels
// (what a new device starts with) has the box of a one-channel device, so that
// it can still be picked; the terminator is not an element.
ElementHit FindElementAt(const ModelStore& store, CanvasPoint p);

// The main body of a glyph, both bounds included.
struct CanvasBox {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
};

// The hit box of the element in the slot, whether it exists or not.
CanvasBox ElementBox(const ModelStore& store, ElementKind kind, int slot);

// The least box that holds the hit boxes of every element in use and the
// terminator's box.
CanvasBox ModelExtent(const ModelStore& store);

// True when the point lies in the terminator's box.
bool InTerminatorBox(const ModelStore& store, CanvasPoint p);

}  // namespace qsim
