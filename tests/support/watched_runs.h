#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/run_statistics.h"
#include "engine/simulation.h"
#include "language/model_text_reader.h"
#include "results/run_figures.h"

namespace qsim::test_support {

// One queue of 200 places before one device of one channel, exponential laws, by
// count: an M/M/1 line (200 places are never full below a load of 0.95). One
// source of intensity 1 per entry of `priorities`, stamping that priority; the
// queue serves by priority when there are two or more.
inline std::vector<std::string> MM1Text(double service_mean, int requests,
                                        const std::vector<int>& priorities = {0}) {
  std::vector<std::string> text;
  for (std::size_t i = 0; i < priorities.size(); ++i) {
    text.insert(text.end(), {"generator " + std::to_string(i + 1) + ";", "la 1;",
                             "prior " + std::to_string(priorities[i]) + ";", "rasp 5;",
                             "transfer 1;", "1 queue 1;"});
  }
  text.insert(
      text.end(),
      {"queue 1;", "len 200;", priorities.size() > 1 ? "discip pfifo;" : "discip fifo;",
       "transfer 1;", "1 device 1;", "device 1;", "k 1;", "v " + std::to_string(service_mean) + ";",
       "rasp 5;", "transfer 1;", "1 terminator;", "simulate " + std::to_string(requests) + ";"});
  return text;
}

// The figures of one run of `text` drawing from replication 0 of `seed`, stopped
// at accuracy.precision when one is asked.
inline RunFigures WatchedRun(std::vector<std::string> text, std::uint32_t seed,
                             const AccuracySettings& accuracy = {}) {
  auto store = std::make_unique<ModelStore>();
  ReadModelText(text, *store, NumberFormat{'.'});
  RandomGenerator random;
  Simulation simulation(*store, random);
  RunStatistics statistics;
  RunControls controls;
  controls.statistics = &statistics;
  PrecisionJudge judge(statistics, *store, accuracy);
  if (accuracy.precision > 0)
    controls.precise_enough = [&judge] { return judge(); };
  const RunResult result = simulation.RunSeeded(seed, nullptr, controls);
  return ComputeRunFigures(statistics, *store, result, accuracy);
}

// Whether the interval of `estimate` holds `exact`.
inline bool Covers(const std::optional<Estimate>& estimate, double exact) {
  return estimate && estimate->half_width &&
         std::abs(estimate->mean - exact) <= *estimate->half_width;
}

}  // namespace qsim::test_support
