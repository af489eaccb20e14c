#include <benchmark/benchmark.h>

#include <memory>
#include <ostream>
#include <streambuf>
#include <vector>

#include "bench/bench_models.h"
#include "engine/request_record.h"
#include "engine/simulation.h"
#include "language/model_text_reader.h"
#include "results/protocol_writer.h"

namespace qsim {
namespace {

// The events of a run as the protocol sees them, each with a request of its own
// that keeps the number the event's request had.
struct RecordedRun : EventObserver {
  std::vector<EventNode> events;
  std::vector<RequestRecord> requests;

  void RunStarted() override {}
  void EventTaken(const EventNode& event) override {
    events.push_back(event);
    requests.push_back({});
    requests.back().number = event.request != nullptr ? event.request->number : 0;
  }
  void RunFinished() override {
    for (std::size_t i = 0; i < events.size(); ++i)
      events[i].request = &requests[i];
  }
};

// Counts the bytes written and keeps none of them.
class CountingBuffer : public std::streambuf {
 public:
  std::size_t count() const { return count_; }

 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count_ += static_cast<std::size_t>(n);
    return n;
  }
  int_type overflow(int_type c) override {
    ++count_;
    return c;
  }

 private:
  std::size_t count_ = 0;
};

// One protocol line per iteration, over the events of a run of the one-device
// model (times of many digits, every kind of line), written to a stream that
// keeps nothing: the cost of making and handing over a line.
void BM_ProtocolLine(benchmark::State& state) {
  ModelStore store;
  std::vector<std::string> text = bench::SingleDeviceModel(20000);
  ReadModelText(text, store, NumberFormat{'.'});
  RandomGenerator random;
  Simulation simulation(store, random);
  RecordedRun run;
  simulation.RunSimulation(&run);

  CountingBuffer buffer;
  std::ostream out(&buffer);
  ProtocolWriter writer(out, "model.txt", NumberFormat{','});
  writer.RunStarted();
  std::size_t next = 0;
  for (auto _ : state) {
    writer.EventTaken(run.events[next]);
    if (++next == run.events.size())
      next = 0;
  }
  writer.RunFinished();
  state.counters["lines_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["bytes_per_line"] =
      static_cast<double>(buffer.count()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ProtocolLine);

}  // namespace
}  // namespace qsim
