#pragma once

#include <cstdint>

namespace qsim {

// Kind of a transition's target. The codes equal the event kinds that deliver a
// request to such a target, so a route's kind is used unchanged as an event kind.
enum class TargetKind : std::uint8_t { None = 0, Queue = 1, Device = 3, Terminator = 5 };

// Law of a generator's intervals or a device's service times. Stored as the byte
// the model text gives, so any value 0..255 may occur; codes without a law act as
// Constant. Codes 0..4 are the laws models have always had (kExponential is a
// shifted logarithm, not an exponential law); 5..7 are the textbook laws with the
// mean and the coefficient of variation that their names promise.
using DistributionKind = std::uint8_t;
inline constexpr DistributionKind kUniform = 0;
inline constexpr DistributionKind kPoisson = 1;
inline constexpr DistributionKind kGaussian = 2;
inline constexpr DistributionKind kExponential = 3;
inline constexpr DistributionKind kConstant = 4;
inline constexpr DistributionKind kPureExponential = 5;
inline constexpr DistributionKind kErlang = 6;
inline constexpr DistributionKind kLognormal = 7;
inline constexpr DistributionKind kLastDistribution = kLognormal;

// Order of service of a queue; stored as a byte, only 0..3 have a meaning.
using QueueDiscipline = std::uint8_t;
inline constexpr QueueDiscipline kFifo = 0;
inline constexpr QueueDiscipline kLifo = 1;
inline constexpr QueueDiscipline kPriorityFifo = 2;
inline constexpr QueueDiscipline kPriorityLifo = 3;

}  // namespace qsim
