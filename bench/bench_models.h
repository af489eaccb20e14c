#pragma once

#include <string>
#include <vector>

namespace qsim::bench {

// Model texts of the benchmarks, with "." as the decimal separator.

// One exponential source, one queue of 10 places, one device of 2 channels at a
// load of one half; `requests` requests by count.
inline std::vector<std::string> SingleDeviceModel(int requests) {
  return {"generator 1;",
          "la 2;",
          "rasp 3;",
          "disp 0.5;",
          "transfer 1;",
          "1 queue 1;",
          "queue 1;",
          "len 10;",
          "discip fifo;",
          "transfer 1;",
          "1 device 1;",
          "device 1;",
          "k 2;",
          "v 0.5;",
          "rasp 3;",
          "disp 0.5;",
          "transfer 1;",
          "1 terminator;",
          "simulate " + std::to_string(requests) + ";"};
}

// One source of intensity 20 feeding a line of 150 stages, each a queue of 200
// places and a device of 20 channels with a mean service of 0.9 (uniform laws,
// variance 0.5); the last device leads to the terminator. `requests` requests by
// count keep thousands of events pending, almost all of them service ends.
inline std::vector<std::string> TandemModel(int requests) {
  std::vector<std::string> text = {"generator 1;", "la 20;",      "rasp 0;",
                                   "disp 0.5;",    "transfer 1;", "1 queue 1;"};
  for (int i = 1; i <= 150; ++i) {
    const std::string slot = std::to_string(i);
    const std::string next = i < 150 ? "1 queue " + std::to_string(i + 1) + ";" : "1 terminator;";
    text.insert(text.end(), {"queue " + slot + ";", "len 200;", "discip fifo;", "transfer 1;",
                             "1 device " + slot + ";"});
    text.insert(text.end(), {"device " + slot + ";", "k 20;", "v 0.9;", "rasp 0;", "disp 0.5;",
                             "transfer 1;", next});
  }
  text.push_back("simulate " + std::to_string(requests) + ";");
  return text;
}

// 150 sources, 150 queues of 200 places and 150 devices of 1 to 50 channels; each
// device sends half its requests on to the next queue, so loops join the layers.
// The devices are overloaded, the queues fill up and thousands of events wait.
// Without refusals the full queues are retried every `retry` units.
inline std::vector<std::string> LargeNetworkModel(double end_time, bool without_refusals) {
  std::vector<std::string> text;
  for (int i = 1; i <= 150; ++i) {
    const std::string slot = std::to_string(i);
    const std::string next = std::to_string(i % 150 + 1);
    const int channels = 1 + (i - 1) % 50;
    text.insert(text.end(), {"generator " + slot + ";", "la " + std::to_string(channels) + ";",
                             "prior " + std::to_string(i % 3) + ";", "rasp 3;", "disp 0.5;",
                             "transfer 1;", "1 queue " + slot + ";"});
    text.insert(text.end(), {"queue " + slot + ";", "len 200;",
                             "discip " + std::string(i % 2 ? "fifo;" : "pfifo;"), "transfer 1;",
                             "1 device " + slot + ";"});
    text.insert(text.end(), {"device " + slot + ";", "k " + std::to_string(channels) + ";",
                             "v 1.6;", "rasp " + std::to_string(i % 5) + ";", "disp 0.4;",
                             "transfer 2;", "0.5 queue " + next + ";", "0.5 terminator;"});
  }
  if (without_refusals)
    text.push_back("process_all 0.25;");
  text.push_back("by_time " + std::to_string(end_time) + ";");
  return text;
}

}  // namespace qsim::bench
