#pragma once

#include <QString>

#include "commands/parameter_sweep.h"
#include "foundation/number_format.h"

namespace qsim::gui {

// A result as the results window shows it: rounded to 4 significant digits, in
// the number form of the rest of the program ("0,1235", "12350", "1,5E-5").
QString FourDigitText(double value, const NumberFormat& format);

// A table cell: the mean, with " ± " and the half-width of its 95 % interval when
// there are intervals; a dash where no run gave a value.
QString StatisticCellText(const SweepStatistic& statistic, bool with_intervals,
                          const NumberFormat& format);

}  // namespace qsim::gui
