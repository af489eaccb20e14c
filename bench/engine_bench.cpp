#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "bench/bench_models.h"
#include "engine/event_calendar.h"
#include "engine/simulation_engine.h"
#include "language/model_text_reader.h"
#include "tests/support/binary_event_heap.h"
#include "tests/support/linked_list_calendar.h"

namespace qsim {
namespace {

std::unique_ptr<ModelStore> ReadModel(std::vector<std::string> text) {
  auto store = std::make_unique<ModelStore>();
  ReadModelText(text, *store, NumberFormat{'.'});
  return store;
}

// What a run produced, the same whichever calendar ran it.
std::string Digest(const ModelStore& store, std::int64_t events) {
  std::int64_t served = 0;
  std::int64_t unserved = 0;
  double stay = 0;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    served += store.generator(slot).stats.served;
    unserved += store.generator(slot).stats.unserved;
    stay += store.generator(slot).stats.sum_stay;
  }
  std::ostringstream digest;
  digest.precision(17);
  digest << "events=" << events << " total=" << store.generated << " time=" << store.now
         << " served=" << served << " unserved=" << unserved << " stay=" << stay;
  return digest.str();
}

// Runs the model once per iteration from a fresh generator, so every iteration
// makes the same run; reports events per second and the run's digest. A watched
// run also gathers the figures beyond the report (RunStatistics).
template <typename Calendar>
void RunModel(benchmark::State& state, const std::vector<std::string>& text, bool watched = false) {
  const auto store = ReadModel(text);
  std::int64_t events = 0;
  std::int64_t total_events = 0;
  std::size_t peak_pending = 0;
  for (auto _ : state) {
    RandomGenerator random;
    SimulationEngine<Calendar> engine(*store, random);
    RunControls controls;
    RunStatistics statistics;
    if (watched)
      controls.statistics = &statistics;
    controls.progress = [&](const RunProgress&) {
      peak_pending = std::max(peak_pending, engine.calendar().size());
    };
    events = engine.Run(nullptr, controls).events;
    total_events += events;
  }
  state.counters["events_per_second"] =
      benchmark::Counter(static_cast<double>(total_events), benchmark::Counter::kIsRate);
  state.counters["peak_pending"] = static_cast<double>(peak_pending);
  state.SetLabel(Digest(*store, events));
}

void BM_SingleDevice(benchmark::State& state) {
  RunModel<EventCalendar>(state, bench::SingleDeviceModel(200000));
}
void BM_SingleDeviceWatched(benchmark::State& state) {
  RunModel<EventCalendar>(state, bench::SingleDeviceModel(200000), true);
}
void BM_SingleDeviceBinaryHeap(benchmark::State& state) {
  RunModel<BinaryHeapCalendar>(state, bench::SingleDeviceModel(200000));
}
void BM_SingleDeviceLinkedList(benchmark::State& state) {
  RunModel<LinkedListCalendar>(state, bench::SingleDeviceModel(200000));
}
constexpr int kTandemRequests = 4000;

void BM_Tandem(benchmark::State& state) {
  RunModel<EventCalendar>(state, bench::TandemModel(kTandemRequests));
}

void BM_TandemWatched(benchmark::State& state) {
  RunModel<EventCalendar>(state, bench::TandemModel(kTandemRequests), true);
}

void BM_TandemBinaryHeap(benchmark::State& state) {
  RunModel<BinaryHeapCalendar>(state, bench::TandemModel(kTandemRequests));
}

// Long enough for the queues to fill up and thousands of events to wait, short
// enough for the plain list to finish in seconds.
constexpr double kLargeNetworkTime = 4;

void BM_LargeNetwork(benchmark::State& state) {
  RunModel<EventCalendar>(state, bench::LargeNetworkModel(kLargeNetworkTime, false));
}
void BM_LargeNetworkBinaryHeap(benchmark::State& state) {
  RunModel<BinaryHeapCalendar>(state, bench::LargeNetworkModel(kLargeNetworkTime, false));
}
void BM_LargeNetworkLinkedList(benchmark::State& state) {
  RunModel<LinkedListCalendar>(state, bench::LargeNetworkModel(kLargeNetworkTime, false));
}
void BM_TimeModeWithoutRefusals(benchmark::State& state) {
  RunModel<EventCalendar>(state, bench::LargeNetworkModel(kLargeNetworkTime, true));
}
void BM_TimeModeWithoutRefusalsLinkedList(benchmark::State& state) {
  RunModel<LinkedListCalendar>(state, bench::LargeNetworkModel(kLargeNetworkTime, true));
}

BENCHMARK(BM_SingleDevice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleDeviceWatched)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleDeviceBinaryHeap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleDeviceLinkedList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tandem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TandemWatched)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TandemBinaryHeap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeNetwork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeNetworkBinaryHeap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeNetworkLinkedList)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TimeModeWithoutRefusals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimeModeWithoutRefusalsLinkedList)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace qsim
