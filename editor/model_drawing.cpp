#include "editor/model_drawing.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "editor/link_paths.h"

#include "editor/hit_test.h"

namespace qsim {
namespace {

// A glyph's reference point, the top-left corner of its main box. Held in 64 bits
// so that offsets from any stored position stay exact.
struct Origin {
  std::int64_t x;
  std::int64_t y;
};

// A point of a glyph relative to its reference point.
struct Offset {
  int dx;
  int dy;
};

struct PassColors {
  RgbColor stroke;
  RgbColor arrow;
};

PassColors ColorsOf(DrawPass pass) {
  if (pass == DrawPass::Erase)
    return {kWhite, kWhite};
  return {kBlack, kRed};
}

// Moves to the first point and draws lines through the others.
// REQUIRES: at least one point.
void Polyline(RasterCanvas& canvas, Origin at, std::initializer_list<Offset> points) {
  const Offset* point = points.begin();
  canvas.MoveTo(at.x + point->dx, at.y + point->dy);
  for (++point; point != points.end(); ++point)
    canvas.LineTo(at.x + point->dx, at.y + point->dy);
}

// Two barbs that run into `tip`, in the arrow colour; leaves the pen in the stroke
// colour.
void Arrowhead(RasterCanvas& canvas, Origin at, Offset first_barb, Offset second_barb, Offset tip,
               const PassColors& colors) {
  canvas.SetPenColor(colors.arrow);
  Polyline(canvas, at, {first_barb, tip});
  Polyline(canvas, at, {second_barb, tip});
  canvas.SetPenColor(colors.stroke);
}

// Draws the lines of the element's transitions, in the current pen colour.
void DrawLinks(const ModelStore& store, ElementKind kind, int slot, RasterCanvas& canvas) {
  for (int number = 1; number <= LinkCount(store, kind, slot); ++number) {
    const std::optional<LinkPath> link = LinkOf(store, kind, slot, number);
    if (!link)
      continue;
    canvas.MoveTo(link->points[0].x, link->points[0].y);
    for (std::size_t i = 1; i < link->size; ++i)
      canvas.LineTo(link->points[i].x, link->points[i].y);
  }
}

void DrawSingleChannelBox(RasterCanvas& canvas, Origin at, const PassColors& colors) {
  Polyline(canvas, at, {{-7, 5}, {0, 5}});
  Arrowhead(canvas, at, {-7, 4}, {-7, 6}, {-1, 5}, colors);
  Polyline(canvas, at,
           {{0, 0}, {kGlyphWidth, 0}, {kGlyphWidth, kGlyphHeight}, {0, kGlyphHeight}, {0, 0}});
  Polyline(canvas, at, {{15, 5}, {22, 5}});
}

// Two channel boxes, above and below the reference row, on a common input bus and
// output collector; three dots between them stand for further channels.
void DrawMultiChannelBoxes(RasterCanvas& canvas, Origin at, std::int32_t channels,
                           const PassColors& colors) {
  Polyline(canvas, at,
           {{-7, 15}, {-7, -5}, {0, -5}, {0, -10}, {15, -10}, {15, 0}, {0, 0}, {0, -5}});
  Polyline(canvas, at, {{-7, 15}, {0, 15}, {0, 10}, {15, 10}, {15, 20}, {0, 20}, {0, 15}});
  Polyline(canvas, at, {{15, 15}, {18, 15}, {18, -5}, {15, -5}});
  Polyline(canvas, at, {{18, 5}, {22, 5}});
  Arrowhead(canvas, at, {-3, -4}, {-3, -6}, {0, -5}, colors);
  Arrowhead(canvas, at, {-3, 16}, {-3, 14}, {0, 15}, colors);
  if (channels >= 3) {
    for (const int dx : {3, 7, 10})
      canvas.SetPixel(at.x + dx, at.y + 5, colors.stroke);
  }
}

// Within a slot the queue, then the device, then the generator: where glyphs
// overlap the picture has always shown them in this order.
void PaintModel(const ModelStore& store, DrawPass pass, RasterCanvas& canvas) {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    if (store.queue(slot).exists)
      DrawQueueGlyph(store, slot, pass, canvas);
    if (store.device(slot).exists)
      DrawDeviceGlyph(store, slot, pass, canvas);
    if (store.generator(slot).exists)
      DrawGeneratorGlyph(store, slot, pass, canvas);
  }
  DrawTerminatorGlyph(store, pass, canvas);
}

}  // namespace

void DrawModel(const ModelStore& store, RasterCanvas& canvas) {
  PaintModel(store, DrawPass::Draw, canvas);
}

void EraseModel(const ModelStore& store, RasterCanvas& canvas) {
  PaintModel(store, DrawPass::Erase, canvas);
}

void DrawGeneratorGlyph(const ModelStore& store, int slot, DrawPass pass, RasterCanvas& canvas) {
  const GeneratorRecord& generator = store.generator(slot);
  const PassColors colors = ColorsOf(pass);
  const Origin at{generator.xc, generator.yc};
  canvas.SetPenColor(colors.stroke);
  Polyline(canvas, at, {{kGlyphWidth, 0}, {0, 0}, {0, kGlyphHeight}, {kGlyphWidth, kGlyphHeight}});
  Polyline(canvas, at, {{0, 5}, {22, 5}});
  Arrowhead(canvas, at, {15, 4}, {15, 6}, {21, 5}, colors);
  DrawLinks(store, ElementKind::Generator, slot, canvas);
}

void DrawQueueGlyph(const ModelStore& store, int slot, DrawPass pass, RasterCanvas& canvas) {
  const QueueRecord& queue = store.queue(slot);
  const PassColors colors = ColorsOf(pass);
  const Origin at{queue.xc, queue.yc};
  canvas.SetPenColor(colors.stroke);
  Polyline(canvas, at, {{0, 0}, {kGlyphWidth, 0}, {kGlyphWidth, kGlyphHeight}, {0, kGlyphHeight}});
  for (const int bar : {7, 9, 12})
    Polyline(canvas, at, {{bar, 0}, {bar, 10}});
  Polyline(canvas, at, {{-7, 5}, {7, 5}});
  Arrowhead(canvas, at, {0, 4}, {0, 6}, {6, 5}, colors);
  Polyline(canvas, at, {{15, 5}, {22, 5}});
  DrawLinks(store, ElementKind::Queue, slot, canvas);
}

void DrawDeviceGlyph(const ModelStore& store, int slot, DrawPass pass, RasterCanvas& canvas) {
  const DeviceRecord& device = store.device(slot);
  const PassColors colors = ColorsOf(pass);
  const Origin at{device.xc, device.yc};
  canvas.SetPenColor(colors.stroke);
  if (device.k == 1)
    DrawSingleChannelBox(canvas, at, colors);
  else
    DrawMultiChannelBoxes(canvas, at, device.k, colors);
  DrawLinks(store, ElementKind::Device, slot, canvas);
}

void DrawTerminatorGlyph(const ModelStore& store, DrawPass pass, RasterCanvas& canvas) {
  const PassColors colors = ColorsOf(pass);
  const Origin at{store.term_x, store.term_y};
  canvas.SetPenColor(colors.stroke);
  canvas.SetBrushColor(kWhite);
  Polyline(canvas, at, {{-7, 5}, {0, 5}});
  canvas.Ellipse(at.x, at.y, at.x + kGlyphWidth, at.y + kGlyphHeight);
  Polyline(canvas, at, {{3, 2}, {11, 7}});
  Polyline(canvas, at, {{11, 2}, {3, 7}});
  Arrowhead(canvas, at, {-3, 6}, {-3, 4}, {0, 5}, colors);
}

}  // namespace qsim
