#pragma once

#include <cstdint>
#include <optional>

namespace qsim {

// How the start of a run, which begins empty, is kept out of the figures beyond
// the report's tables.
enum class WarmupMethod : std::uint8_t {
  Auto,   // found after the run (MSER-5 on the number of requests in the system)
  None,   // nothing removed
  Fixed,  // up to a model time the user gives
};

// Options of the accuracy of a run's figures; they live for the process, as the
// other options of the settings dialog.
struct AccuracySettings {
  WarmupMethod warmup = WarmupMethod::Auto;
  double warmup_time = 0;  // WarmupMethod::Fixed: model time removed
  // The relative half-width at which a run stops, once every marked figure has
  // reached it; 0: the run goes to the model's own stop condition.
  double precision = 0;
  double confidence = 0.95;  // level of every interval, between 0 and 1
  // A run draws from replication 0 of this series seed's stream; none: from the
  // program's own generator, which goes on from run to run.
  std::optional<std::uint32_t> seed;
};

}  // namespace qsim
