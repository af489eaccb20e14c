#pragma once

#include <cstdint>

namespace qsim {

struct RequestRecord;

// What happens at an event. Queue, device and terminator codes equal the
// TargetKind codes, so a chosen route is delivered as an event of its own kind.
enum class EventKind : std::uint8_t {
  Generation = 0,    // at a generator
  QueueEntry = 1,    // a request arrives at a queue
  QueueExit = 2,     // a queue hands its next request on
  ServiceStart = 3,  // a request asks a device for service
  ServiceEnd = 4,    // a channel finishes (or retries a blocked request)
  Removal = 5,       // a request leaves the system
};

// One pending event.
struct EventNode {
  double time = 0;
  std::int32_t element = 0;          // generator, queue or device slot; 1 for a Removal
  RequestRecord* request = nullptr;  // not used by Generation and QueueExit
  std::int32_t from_queue = 0;       // ServiceStart only: queue the request came from
  std::int32_t from_slot = 0;        // ServiceStart only: its place in that queue
  EventKind kind = EventKind::Generation;
};

}  // namespace qsim
