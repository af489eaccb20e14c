#pragma once

#include <cstdint>
#include <string>

#include "foundation/number_format.h"

namespace qsim {

// Numbers as windows and summaries show them to a reader, where NumberText keeps
// every digit for files that are read back. Digits before the separator are
// grouped by threes with a space ("17 854 464"), as Russian texts write counts.

// An integer, grouped: "-1 234 567".
std::string GroupedInteger(std::int64_t value);

// A number in plain decimal or NumberText form ("1234567,5"), its whole part
// grouped ("1 234 567,5"); scientific notation is left as it is.
std::string GroupedNumber(const std::string& number);

// Below this magnitude a figure is taken for a rounding residue of a computation
// (1 - 0.9999999999999998 gives 2.2E-16) and shown as 0. Figures of the analysis
// that mean something (a refusal probability, a wait) are far larger.
inline constexpr double kResidueMagnitude = 1e-12;

// A real for the reader: 4 significant digits, but every digit of the whole part
// (2336.8999999999 is "2 337", 0.499999999999989 is "0,5"), trailing zeros
// dropped, the whole part grouped; residues are "0"; magnitudes below 0.0001 or
// from 10^15 in scientific notation ("3,5E-7"); infinities and NaN as NumberText.
std::string ShortNumberText(double value, const NumberFormat& format);

}  // namespace qsim
