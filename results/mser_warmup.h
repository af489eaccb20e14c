#pragma once

#include <cstddef>
#include <span>

namespace qsim {

// The observations to drop from the start of a series by MSER-5 (White's marginal
// standard error rule): the observations are averaged in consecutive batches of
// five, Z_1..Z_J (a last incomplete batch left out), and the truncation d batches
// long minimises sum_{j>d} (Z_j - mean of Z_{d+1..J})^2 / (J - d)^2 for d from 0
// to J / 2, the earliest d of the least value. Returns 5 d. A run that begins
// empty is low at its start; the rule finds where dropping more no longer narrows
// the mean's standard error.
std::size_t Mser5Truncation(std::span<const double> observations);

}  // namespace qsim
