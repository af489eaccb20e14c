#pragma once

#include <cstdint>
#include <string>

#include "model/accuracy_settings.h"

namespace qsim {

// The event limit the shells set unless the user asks for another: a run that
// never reaches its stop condition (a run by time to a far end, requests that
// retry a full queue forever) ends after a minute or two instead of hanging.
inline constexpr std::int64_t kDefaultMaxEvents = 1'000'000'000;

// Settings of a run. The first group belongs to the model and travels in its text;
// the second holds the options of the settings dialog, which live for the process
// and are never saved.
struct RunSettings {
  // Carried by the model text.
  std::int32_t simulate = 0;  // requests of a run that stops by count
  bool by_time = false;       // true: stop by model time, false: by count
  double end_time = 0;        // model time at which a run by time stops
  bool process_all = false;   // true: no refusals, full queues are retried
  double retry_interval = 0;  // interval between two attempts at a full queue

  // Options of the settings dialog.
  bool check_model = true;
  bool report_include_input = true;
  bool report_include_picture = false;
  bool report_name_auto = true;
  std::string report_file_name;  // as the user gave it, in the file system's encoding
  bool report_open_after = true;
  bool protocol_enabled = false;
  bool protocol_name_auto = true;
  std::string protocol_file_name;  // as the user gave it, in the file system's encoding
  bool protocol_open_after = false;
  std::int64_t max_events = kDefaultMaxEvents;  // a run stops after this many events
  AccuracySettings accuracy;
};

}  // namespace qsim
