#include <benchmark/benchmark.h>

#include <memory>

#include "model/model_store.h"
#include "model/store_snapshot.h"

namespace qsim {
namespace {

// Every slot of every kind in use, so that a snapshot compares and shares all 450
// records.
std::unique_ptr<ModelStore> FullStore() {
  auto store = std::make_unique<ModelStore>();
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    store->generator(slot).exists = true;
    store->generator(slot).la = 2;
    store->queue(slot).exists = true;
    store->queue(slot).len = 10;
    store->device(slot).exists = true;
    store->device(slot).k = 2;
  }
  return store;
}

// One undo step as the editor records it: a one-field edit, then a snapshot that
// shares every unchanged record with the one before.
void BM_UndoSnapshot(benchmark::State& state) {
  auto store = FullStore();
  auto previous = std::make_unique<StoreSnapshot>(*store, nullptr);
  int length = 10;
  for (auto _ : state) {
    store->queue(75).len = ++length % 200 + 1;
    auto next = std::make_unique<StoreSnapshot>(*store, previous.get());
    benchmark::DoNotOptimize(next.get());
    previous = std::move(next);
  }
  state.counters["store_bytes"] = static_cast<double>(sizeof(ModelStore));
}
BENCHMARK(BM_UndoSnapshot);

}  // namespace
}  // namespace qsim
