#include "results/traffic_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/random_generator.h"
#include "engine/simulation.h"
#include "language/model_text_reader.h"
#include "results/report_statistics.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;

std::unique_ptr<ModelStore> Read(Lines text) {
  auto store = std::make_unique<ModelStore>();
  ReadModelText(text, *store, NumberFormat{'.'});
  return store;
}

// One generator, one queue of `len` places, one device of k channels.
Lines Chain(int la, int rasp_in, double disp_in, int len, int k, double v, int rasp_service) {
  return {"generator 1;",
          "la " + std::to_string(la) + ";",
          "rasp " + std::to_string(rasp_in) + ";",
          "disp " + std::to_string(disp_in) + ";",
          "transfer 1;",
          "1 queue 1;",
          "queue 1;",
          "len " + std::to_string(len) + ";",
          "transfer 1;",
          "1 device 1;",
          "device 1;",
          "k " + std::to_string(k) + ";",
          "v " + std::to_string(v) + ";",
          "rasp " + std::to_string(rasp_service) + ";",
          "transfer 1;",
          "1 terminator;",
          "simulate 20000;"};
}

TEST(QueueingFormulasTest, AgreeWithTheClosedFormsOfSmallSystems) {
  // M/M/1/K: p_K = (1 - rho) rho^K / (1 - rho^(K+1)).
  const double rho = 0.5;
  const QueuePrediction one = MmckPrediction(1, 2, 1, 11);
  EXPECT_NEAR(one.refusal_probability, (1 - rho) * std::pow(rho, 11) / (1 - std::pow(rho, 12)),
              1e-15);
  // M/M/1 and M/M/2 without limit: Lq = rho^2 / (1 - rho), and 1/3 for a = 1, c = 2.
  EXPECT_NEAR(ErlangCPrediction(1, 2, 1)->mean_queue_length, 0.5, 1e-15);
  EXPECT_NEAR(ErlangCPrediction(1, 1, 2)->mean_queue_length, 1.0 / 3, 1e-15);
  EXPECT_NEAR(ErlangCPrediction(1, 1, 2)->mean_wait, 1.0 / 3, 1e-15);
  EXPECT_FALSE(ErlangCPrediction(2, 1, 2).has_value());  // rho = 1: no steady state
  // A room far beyond the queue's usual length makes M/M/c/K an M/M/c.
  const QueuePrediction wide = MmckPrediction(1, 1, 2, 250);
  EXPECT_NEAR(wide.mean_queue_length, 1.0 / 3, 1e-12);
  // A hundred times overloaded: all but c mu / lambda refused, without overflow.
  EXPECT_NEAR(MmckPrediction(50, 0.01, 50, 250).refusal_probability, 0.99, 1e-9);
}

TEST(TrafficAnalysisTest, FeedbackAndTrueLawMeansSetTheRates) {
  // Half the requests return from the device to the queue: the queue sees 2 la.
  Lines text = Chain(1, kPureExponential, 0, 10, 2, 0.25, kPureExponential);
  text[15] = "0.5 terminator;";
  text.insert(text.begin() + 16, "0.5 queue 1;");
  text[14] = "transfer 2;";
  const TrafficAnalysis loop = AnalyzeTraffic(*Read(text));
  ASSERT_EQ(loop.queues.size(), 1u);
  EXPECT_NEAR(loop.queues[0].arrival_rate, 2, 1e-12);
  EXPECT_NEAR(loop.devices[0].load, 0.25, 1e-12);
  EXPECT_FALSE(loop.devices[0].prediction.has_value());  // fed back: not Poisson

  // The shifted logarithm (law 3) with disp 0.5 halves the mean interval.
  const TrafficAnalysis shifted = AnalyzeTraffic(*Read(Chain(2, kExponential, 0.5, 5, 1, 0.3, 0)));
  EXPECT_NEAR(shifted.devices[0].arrival_rate, 4, 1e-12);
  EXPECT_NEAR(shifted.devices[0].load, 1.2, 1e-12);
  EXPECT_TRUE(shifted.devices[0].overloaded());
  EXPECT_FALSE(shifted.devices[0].prediction.has_value());  // not law 5

  const TrafficAnalysis markov = AnalyzeTraffic(*Read(Chain(1, kPureExponential, 0, 5, 1, 0.8, 5)));
  ASSERT_TRUE(markov.devices[0].prediction.has_value());
  EXPECT_EQ(markov.devices[0].prediction->capacity, 6);
}

// Ten replications of a long run, one after another on one random sequence.
std::vector<std::unique_ptr<ModelStore>> Replications(const Lines& text, bool refusals_off) {
  RandomGenerator random;
  std::vector<std::unique_ptr<ModelStore>> runs;
  for (int r = 0; r < 10; ++r) {
    runs.push_back(Read(text));
    runs.back()->settings.process_all = refusals_off;
    runs.back()->settings.retry_interval = 0.01;
    Simulation simulation(*runs.back(), random);
    EXPECT_EQ(simulation.RunSimulation(nullptr).outcome, RunOutcome::Finished);
  }
  return runs;
}

// True when `theory` lies within the 99 % interval of the replications' mean
// (Student t with 9 degrees of freedom).
template <typename Measure>
::testing::AssertionResult Within99(const std::vector<std::unique_ptr<ModelStore>>& runs,
                                    Measure measure, double theory) {
  constexpr double kT99 = 3.2498;
  double sum = 0;
  for (const auto& run : runs)
    sum += measure(*run);
  const double mean = sum / runs.size();
  double squares = 0;
  for (const auto& run : runs)
    squares += (measure(*run) - mean) * (measure(*run) - mean);
  const double half_width = kT99 * std::sqrt(squares / (runs.size() - 1) / runs.size());
  if (std::abs(mean - theory) <= half_width)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "theory " << theory << " outside " << mean << " +- " << half_width;
}

TEST(TrafficAnalysisTest, LongRunsMeetTheFormulas) {
  const auto wait = [](const ModelStore& s) { return *MeanWait(s.queue(1)); };
  const auto refused = [](const ModelStore& s) {
    const QueueRecord& q = s.queue(1);
    return static_cast<double>(q.stats.refusals) / (q.stats.entries + q.stats.refusals);
  };
  // M/M/1/6: rho 0.8, five places.
  const Lines mm1k = Chain(1, kPureExponential, 0, 5, 1, 0.8, kPureExponential);
  const QueuePrediction small = *AnalyzeTraffic(*Read(mm1k)).devices[0].prediction;
  const auto small_runs = Replications(mm1k, false);
  EXPECT_TRUE(Within99(small_runs, wait, small.mean_wait));
  EXPECT_TRUE(Within99(small_runs, refused, small.refusal_probability));
  // M/M/3 without refusals: rho 0.8.
  const Lines mm3 = Chain(2, kPureExponential, 0, 200, 3, 1.2, kPureExponential);
  const auto store = Read(mm3);
  store->settings.process_all = true;
  const QueuePrediction erlang = *AnalyzeTraffic(*store).devices[0].prediction;
  EXPECT_TRUE(erlang.erlang_c);
  EXPECT_TRUE(Within99(Replications(mm3, true), wait, erlang.mean_wait));
}

}  // namespace
}  // namespace qsim
