// Every bundled example with a description is a sound model: it passes the model
// check, no device is overloaded, its runs end well within the event budget of a
// quick run, and where queueing theory applies the runs agree with the analysis.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "engine/random_generator.h"
#include "engine/simulation.h"
#include "language/example_header.h"
#include "language/model_text_reader.h"
#include "language/model_validation.h"
#include "language/text_file.h"
#include "results/confidence_interval.h"
#include "results/report_statistics.h"
#include "results/run_warnings.h"
#include "results/traffic_analysis.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;

// A run of this many events takes well under a second in a release build.
constexpr std::int64_t kQuickRunEvents = 1'000'000;
// Shorter runs than the examples' own keep the test quick; the intervals widen.
constexpr int kReplications = 5;
constexpr std::int32_t kTestedRequests = 5000;

std::vector<fs::path> Examples() {
  std::vector<fs::path> examples;
  for (const auto& entry : fs::directory_iterator(QSIM_EXAMPLES_DIR)) {
    if (!ReadExampleHeader(ReadTextLines(entry.path().string())).title.empty())
      examples.push_back(entry.path());
  }
  std::sort(examples.begin(), examples.end());
  return examples;
}

// Mean waits of the queues that theory predicts, one sample per run.
using WaitSamples = std::vector<std::vector<double>>;

void ExpectWithin(const std::vector<double>& samples, double predicted, const char* what) {
  const std::optional<MeanInterval> interval = MeanInterval95(samples);
  ASSERT_TRUE(interval && interval->half_width);
  EXPECT_NEAR(interval->mean, predicted, *interval->half_width) << what;
}

TEST(ExamplesTest, EveryExampleRunsQuicklyAndAgreesWithTheAnalysis) {
  const std::vector<fs::path> examples = Examples();
  EXPECT_GE(examples.size(), 8u);
  RandomGenerator random;
  for (const fs::path& path : examples) {
    SCOPED_TRACE(path.filename().string());
    std::vector<std::string> lines = ReadTextLines(path.string());
    auto store = std::make_unique<ModelStore>();
    ReadModelText(lines, *store, NumberFormat{'.'});
    EXPECT_TRUE(ValidateModel(*store, NumberFormat{'.'}).findings.empty());
    const TrafficAnalysis analysis = AnalyzeTraffic(*store);
    for (const DeviceTraffic& device : analysis.devices)
      EXPECT_LT(device.load, 0.9) << "device " << device.slot;
    EXPECT_EQ(OverloadWarning(*store, analysis, NumberFormat{'.'}), "");

    // How many times longer the example's own run is than the tested one.
    std::int64_t scale = 1;
    if (!store->settings.by_time) {
      scale = std::max(1, store->settings.simulate / kTestedRequests);
      store->settings.simulate = kTestedRequests;
    }
    Simulation simulation(*store, random);
    WaitSamples waits(analysis.devices.size()), lengths(analysis.devices.size());
    for (int run = 0; run < kReplications; ++run) {
      const RunResult result = simulation.RunSimulation(nullptr, {});
      ASSERT_EQ(result.outcome, RunOutcome::Finished);
      EXPECT_LT(result.events * scale, kQuickRunEvents);
      EXPECT_EQ(DurationWarning(*store), "");
      for (std::size_t i = 0; i < analysis.devices.size(); ++i) {
        if (!analysis.devices[i].prediction)
          continue;
        const QueueRecord& q = store->queue(analysis.devices[i].queue_slot);
        waits[i].push_back(MeanWait(q).value_or(0));
        lengths[i].push_back(MeanQueueLength(q, store->now).value_or(0));
      }
    }
    for (std::size_t i = 0; i < analysis.devices.size(); ++i) {
      if (const auto& prediction = analysis.devices[i].prediction) {
        ExpectWithin(waits[i], prediction->mean_wait, "mean wait");
        ExpectWithin(lengths[i], prediction->mean_queue_length, "mean queue length");
      }
    }
  }
}

}  // namespace
}  // namespace qsim
