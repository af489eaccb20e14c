#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "language/model_text_reader.h"
#include "language/model_text_writer.h"

namespace {

// A full model: 150 generators, queues and devices with 30 transitions each.
std::unique_ptr<qsim::ModelStore> FullModel() {
  auto store = std::make_unique<qsim::ModelStore>();
  for (int slot = 1; slot <= qsim::kSlotCount; ++slot) {
    auto& g = store->generator(slot);
    auto& q = store->queue(slot);
    auto& d = store->device(slot);
    g.exists = q.exists = d.exists = true;
    g.la = q.len = d.k = 1;
    d.v = 0.25;
    g.transfer = q.transfer = d.transfer = qsim::kMaxTransitions;
    for (int i = 1; i <= qsim::kMaxTransitions; ++i) {
      g.transitions[i] = {1.0 / 30, qsim::TargetKind::Queue, i};
      q.transitions[i] = {1.0 / 30, qsim::TargetKind::Device, i};
      d.transitions[i] = {1.0 / 30, qsim::TargetKind::Queue, i};
    }
  }
  return store;
}

void BM_WriteFullModel(benchmark::State& state) {
  const auto store = FullModel();
  const qsim::NumberFormat format{','};
  for (auto _ : state)
    benchmark::DoNotOptimize(qsim::WriteModelText(*store, format));
}
BENCHMARK(BM_WriteFullModel);

void BM_ReadFullModel(benchmark::State& state) {
  const qsim::NumberFormat format{','};
  const std::vector<std::string> text = qsim::WriteModelText(*FullModel(), format);
  auto store = std::make_unique<qsim::ModelStore>();
  for (auto _ : state) {
    std::vector<std::string> lines = text;
    qsim::ReadModelText(lines, *store, format);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadFullModel);

}  // namespace
