#pragma once

// Capacities of the model store. Every table is fixed; nothing is allocated when
// elements are added or removed.
namespace qsim {

inline constexpr int kSlotCount = 150;         // slots per element kind, numbered 1..150
inline constexpr int kMaxTransitions = 30;     // outgoing routes per element
inline constexpr int kMaxQueueLength = 200;    // waiting places per queue
inline constexpr int kMaxChannels = 50;        // service channels per device
inline constexpr int kElementNameLength = 25;  // bytes kept of an element's name

// Places a queue's tables hold. A run accepts arrivals into the first 200 at most;
// the rest keep requests that come back from a busy device after an arrival took
// their place, so that no waiting request is ever overwritten.
inline constexpr int kMaxQueuePlaces = 2 * kMaxQueueLength;

}  // namespace qsim
