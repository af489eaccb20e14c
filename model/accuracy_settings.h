#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qsim {

// How the start of a run, which begins empty, is kept out of the figures beyond
// the report's tables.
enum class WarmupMethod : std::uint8_t {
  Auto,   // found after the run (MSER-5 on the number of requests in the system)
  None,   // nothing removed
  Fixed,  // up to a model time the user gives
};

// The figures a run that stops at a precision waits for, each over every element
// of its kind; by default those a user most often sizes a system by.
struct PrecisionMarks {
  bool mean_wait = true;             // every queue's mean wait
  bool mean_length = false;          // every queue's mean length
  bool utilisation = true;           // every device's utilisation
  bool mean_time_in_system = false;  // every generator's mean time in system
  bool Any() const { return mean_wait || mean_length || utilisation || mean_time_in_system; }
  friend bool operator==(const PrecisionMarks&, const PrecisionMarks&) = default;
};

// The figures that can be marked, by their names in the JSON file and on the
// command line.
struct PrecisionMarkName {
  std::string_view name;
  bool PrecisionMarks::*mark;
};
inline constexpr std::array<PrecisionMarkName, 4> kPrecisionMarkNames{{
    {"mean_wait", &PrecisionMarks::mean_wait},
    {"mean_length", &PrecisionMarks::mean_length},
    {"utilisation", &PrecisionMarks::utilisation},
    {"mean_time_in_system", &PrecisionMarks::mean_time_in_system},
}};

// Options of the accuracy of a run's figures; they live for the process, as the
// other options of the settings dialog.
struct AccuracySettings {
  WarmupMethod warmup = WarmupMethod::Auto;
  double warmup_time = 0;  // WarmupMethod::Fixed: model time removed
  // The relative half-width at which a run stops, once every marked figure has
  // reached it; 0: the run goes to the model's own stop condition.
  double precision = 0;
  PrecisionMarks marks{};    // REQUIRES: marks.Any() when precision > 0
  double confidence = 0.95;  // level of every interval, between 0 and 1
  // A run draws from replication 0 of this series seed's stream; none: from the
  // program's own generator, which goes on from run to run.
  std::optional<std::uint32_t> seed{};
};

}  // namespace qsim
