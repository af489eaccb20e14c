#include <benchmark/benchmark.h>

#include <memory>

#include "editor/model_drawing.h"
#include "editor/raster_canvas.h"
#include "tests/support/placed_elements.h"

namespace qsim {
namespace {

using test_support::PlaceDevice;
using test_support::PlaceGenerator;
using test_support::PlaceQueue;

// 150 generators, queues and devices in three bands of 50 rows over the whole
// canvas; each generator feeds its queue, each queue its device, and each device
// sends half its requests on to the next queue and half to the terminator.
std::unique_ptr<ModelStore> FullPicture() {
  auto store = std::make_unique<ModelStore>();
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const int x = 20 + (slot - 1) / 50 * 680;
    const int y = 20 + (slot - 1) % 50 * 37;
    GeneratorRecord& g = PlaceGenerator(*store, slot, x, y);
    QueueRecord& q = PlaceQueue(*store, slot, x + 200, y);
    DeviceRecord& d = PlaceDevice(*store, slot, x + 420, y, 1 + slot % 5);
    g.transfer = q.transfer = 1;
    g.transitions[1] = {1, TargetKind::Queue, slot};
    q.transitions[1] = {1, TargetKind::Device, slot};
    d.transfer = 2;
    d.transitions[1] = {0.5, TargetKind::Queue, slot % kSlotCount + 1};
    d.transitions[2] = {0.5, TargetKind::Terminator, 1};
  }
  store->term_x = 2000;
  store->term_y = 960;
  return store;
}

// What the visual editor does to the picture on a pointer move that drags an
// element: erase the whole model, then draw it again.
void BM_EraseAndRedrawFullModel(benchmark::State& state) {
  const auto store = FullPicture();
  const auto canvas = std::make_unique<RasterCanvas>();
  DrawModel(*store, *canvas);
  for (auto _ : state) {
    EraseModel(*store, *canvas);
    DrawModel(*store, *canvas);
  }
}
BENCHMARK(BM_EraseAndRedrawFullModel)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qsim
