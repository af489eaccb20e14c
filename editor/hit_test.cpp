#include "editor/hit_test.h"

#include <algorithm>

namespace qsim {
namespace {

// Positions are widened so that glyphs near the 32-bit limits cannot overflow.
CanvasBox SmallBox(std::int64_t xc, std::int64_t yc) {
  return {xc, yc, xc + kGlyphWidth, yc + kGlyphHeight};
}

CanvasBox DeviceBox(const DeviceRecord& d) {
  if (d.k <= 1)
    return SmallBox(d.xc, d.yc);
  return {d.xc, std::int64_t{d.yc} - kGlyphHeight, std::int64_t{d.xc} + kGlyphWidth,
          std::int64_t{d.yc} + 2 * kGlyphHeight};
}

bool Contains(const CanvasBox& box, CanvasPoint p) {
  return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
}

}  // namespace

// The last element drawn under the point wins, so the walk follows the drawing's
// order (queue, device, generator within a slot), not the store's visiting order.
ElementHit FindElementAt(const ModelStore& store, CanvasPoint p) {
  ElementHit hit;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const QueueRecord& q = store.queue(slot);
    if (q.exists && Contains(SmallBox(q.xc, q.yc), p))
      hit = {slot, ElementKind::Queue};
    const DeviceRecord& d = store.device(slot);
    if (d.exists && Contains(DeviceBox(d), p))
      hit = {slot, ElementKind::Device};
    const GeneratorRecord& g = store.generator(slot);
    if (g.exists && Contains(SmallBox(g.xc, g.yc), p))
      hit = {slot, ElementKind::Generator};
  }
  return hit;
}

CanvasBox ElementBox(const ModelStore& store, ElementKind kind, int slot) {
  switch (kind) {
    case ElementKind::Generator:
      return SmallBox(store.generator(slot).xc, store.generator(slot).yc);
    case ElementKind::Queue:
      return SmallBox(store.queue(slot).xc, store.queue(slot).yc);
    case ElementKind::Device:
      break;
  }
  return DeviceBox(store.device(slot));
}

CanvasBox ModelExtent(const ModelStore& store) {
  CanvasBox extent = SmallBox(store.term_x, store.term_y);
  for (const ElementKind kind : {ElementKind::Queue, ElementKind::Device, ElementKind::Generator}) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      if (!store.InUse(kind, slot))
        continue;
      const CanvasBox box = ElementBox(store, kind, slot);
      extent = {std::min(extent.left, box.left), std::min(extent.top, box.top),
                std::max(extent.right, box.right), std::max(extent.bottom, box.bottom)};
    }
  }
  return extent;
}

bool InTerminatorBox(const ModelStore& store, CanvasPoint p) {
  return Contains(SmallBox(store.term_x, store.term_y), p);
}

}  // namespace qsim
