#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "engine/simulation.h"
#include "language/example_header.h"
#include "language/model_text_reader.h"
#include "language/model_validation.h"
#include "language/text_file.h"
#include "results/confidence_interval.h"
#include "results/report_statistics.h"
#include "results/run_warnings.h"

namespace qsim {
namespace {

// A run of this many events takes well under a second in a release build.
constexpr std::int64_t kQuickRunEvents = 1'000'000;
// Runs shorter than the examples' own keep the test quick; the intervals widen.
constexpr int kReplications = 5;
constexpr std::int32_t kTestedRequests = 5000;

// Every described example passes the model check, has no overloaded device, runs
// quickly, and where queueing theory applies, the theory's mean wait lies in the
// 95 % interval of its runs (the M/M/1 example's intensity is 0.5, a real).
TEST(ExamplesTest, EveryExampleRunsQuicklyAndAgreesWithTheAnalysis) {
  int examples = 0;
  RandomGenerator random;
  for (const auto& file : std::filesystem::directory_iterator(QSIM_EXAMPLES_DIR)) {
    std::vector<std::string> lines = ReadTextLines(file.path().string());
    if (ReadExampleHeader(lines).title.empty())
      continue;
    SCOPED_TRACE(file.path().filename().string());
    ++examples;
    auto store = std::make_unique<ModelStore>();
    ReadModelText(lines, *store, NumberFormat{'.'});
    EXPECT_TRUE(ValidateModel(*store, NumberFormat{'.'}).findings.empty());
    const TrafficAnalysis analysis = AnalyzeTraffic(*store);
    for (const DeviceTraffic& device : analysis.devices)
      EXPECT_LT(device.load, 0.9) << "device " << device.slot;
    std::int64_t scale = 1;  // how many times longer the example's own run is
    if (!store->settings.by_time) {
      scale = std::max(1, store->settings.simulate / kTestedRequests);
      store->settings.simulate = kTestedRequests;
    }
    Simulation simulation(*store, random);
    std::vector<std::vector<double>> waits(analysis.devices.size());
    for (int run = 0; run < kReplications; ++run) {
      const RunResult result = simulation.RunSimulation(nullptr, {});
      ASSERT_EQ(result.outcome, RunOutcome::Finished);
      EXPECT_LT(result.events * scale, kQuickRunEvents);
      EXPECT_EQ(DurationWarning(*store), "");
      for (std::size_t i = 0; i < analysis.devices.size(); ++i) {
        if (analysis.devices[i].prediction)
          waits[i].push_back(MeanWait(store->queue(analysis.devices[i].queue_slot)).value_or(0));
      }
    }
    for (std::size_t i = 0; i < analysis.devices.size(); ++i) {
      if (!analysis.devices[i].prediction)
        continue;
      const std::optional<MeanInterval> interval = MeanInterval95(waits[i]);
      EXPECT_NEAR(interval->mean, analysis.devices[i].prediction->mean_wait,
                  interval->half_width.value_or(0));
    }
  }
  EXPECT_GE(examples, 8);
}

}  // namespace
}  // namespace qsim
