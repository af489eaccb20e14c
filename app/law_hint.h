#pragma once

#include <QString>

namespace qsim::gui {

// One line on what a law of durations really gives with mean m and the
// dialog's spread `disp`: its mean and spread, and whether it can give zero or
// negative durations. Law 3 is marked as the old law, whose mean is
// m(1 - disp). Empty for a position that is no law.
QString LawHint(int law);

// What m and disp stand for in the hints, for the hint's tooltip.
QString LawHintLegend();

// False for the laws that ignore the spread: Poisson, constant, exponential.
bool LawUsesSpread(int law);

}  // namespace qsim::gui
