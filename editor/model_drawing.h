#pragma once

#include "editor/raster_canvas.h"
#include "model/model_store.h"

namespace qsim {

// The two passes paint the same strokes; the pass chooses only their colours.
enum class DrawPass {
  Draw,   // black strokes, red arrowheads
  Erase,  // everything white
};

// The model as a schematic: a glyph per element and the terminator, and an
// orthogonal line per transition from the source's output port (xc + 22, yc + 5)
// to the target's input port (xc - 7, yc + 5). No text is drawn, and nothing is
// cleared: a change to what the picture shows is made by EraseModel while the
// store still describes the picture, the change, then DrawModel. Both passes read
// the store only.
//
// The passes visit slots 1..150, in each slot the queue, the device and then the
// generator that exist, and the terminator last, whether or not anything leads to
// it. Every glyph routine paints the element's outgoing links right after it. A
// link whose target slot lies outside 1..150 is not drawn; transitions beyond the
// 30 that an element can hold are not looked at.
void DrawModel(const ModelStore& store, RasterCanvas& canvas);
void EraseModel(const ModelStore& store, RasterCanvas& canvas);

// The glyphs and their links, for the element in `slot` (1..150) whether or not it
// exists. A device with any channel count but 1 shows two channel boxes, and three
// dots between them when it has 3 or more.
void DrawGeneratorGlyph(const ModelStore& store, int slot, DrawPass pass, RasterCanvas& canvas);
void DrawQueueGlyph(const ModelStore& store, int slot, DrawPass pass, RasterCanvas& canvas);
void DrawDeviceGlyph(const ModelStore& store, int slot, DrawPass pass, RasterCanvas& canvas);
void DrawTerminatorGlyph(const ModelStore& store, DrawPass pass, RasterCanvas& canvas);

}  // namespace qsim
