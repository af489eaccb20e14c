#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/event_calendar.h"
#include "tests/support/binary_event_heap.h"

namespace qsim {
namespace {

// The bare loop of a run at a steady number of pending events: take the first
// event and schedule one in its place a random interval later. What the engine
// spends beyond this per event is the cost of its handlers.
template <typename Calendar>
void CalendarLoop(benchmark::State& state) {
  const auto pending = static_cast<int>(state.range(0));
  Calendar calendar;
  std::uint32_t seed = 1;
  const auto interval = [&seed] {
    seed = seed * 134775813u + 1u;
    return static_cast<double>(seed) * (1.0 / 4294967296.0);
  };
  EventNode event;
  for (int i = 0; i < pending; ++i) {
    event.time = interval();
    event.element = i;
    calendar.Schedule(event);
  }
  for (auto _ : state) {
    event = calendar.TakeFirst();
    event.time += interval();
    calendar.Schedule(event);
  }
  benchmark::DoNotOptimize(calendar.First());
  state.counters["events_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_CalendarLoop(benchmark::State& state) {
  CalendarLoop<EventCalendar>(state);
}
void BM_CalendarLoopBinaryHeap(benchmark::State& state) {
  CalendarLoop<BinaryHeapCalendar>(state);
}
// Pending counts of the one-device model, the tandem and the large network.
BENCHMARK(BM_CalendarLoop)->Arg(20)->Arg(3000)->Arg(24000);
BENCHMARK(BM_CalendarLoopBinaryHeap)->Arg(20)->Arg(3000)->Arg(24000);

}  // namespace
}  // namespace qsim
