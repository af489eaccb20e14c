#include "editor/hit_test.h"

#include <cstdint>

namespace qsim {
namespace {

// Boxes include both bounds. Positions are widened so that glyphs near the
// 32-bit limits cannot overflow.
bool InBox(CanvasPoint p, std::int64_t left, std::int64_t top, int width, int top_offset,
           int bottom_offset) {
  return p.x >= left && p.x <= left + width && p.y >= top + top_offset &&
         p.y <= top + bottom_offset;
}

bool InSmallBox(CanvasPoint p, std::int32_t xc, std::int32_t yc) {
  return InBox(p, xc, yc, 15, 0, 10);
}

bool InDeviceBox(CanvasPoint p, const DeviceRecord& d) {
  if (d.k < 1)
    return false;
  if (d.k == 1)
    return InSmallBox(p, d.xc, d.yc);
  return InBox(p, d.xc, d.yc, 15, -10, 20);
}

}  // namespace

// The last element drawn under the point wins, so the walk follows the drawing's
// order (queue, device, generator within a slot), not the store's visiting order.
ElementHit FindElementAt(const ModelStore& store, CanvasPoint p) {
  ElementHit hit;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const QueueRecord& q = store.queue(slot);
    if (q.exists && InSmallBox(p, q.xc, q.yc))
      hit = {slot, ElementKind::Queue};
    const DeviceRecord& d = store.device(slot);
    if (d.exists && InDeviceBox(p, d))
      hit = {slot, ElementKind::Device};
    const GeneratorRecord& g = store.generator(slot);
    if (g.exists && InSmallBox(p, g.xc, g.yc))
      hit = {slot, ElementKind::Generator};
  }
  return hit;
}

bool InTerminatorBox(const ModelStore& store, CanvasPoint p) {
  return InSmallBox(p, store.term_x, store.term_y);
}

}  // namespace qsim
