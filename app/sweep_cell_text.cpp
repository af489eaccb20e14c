#include "app/sweep_cell_text.h"

#include <charconv>
#include <cmath>

#include "app/gui_text.h"

namespace qsim::gui {

// The rounding goes through the decimal digits themselves, so that 0.12345 is
// rounded as written, and NumberText then drops the trailing zeros.
QString FourDigitText(double value, const NumberFormat& format) {
  if (std::isfinite(value)) {
    char digits[32];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 3);
    std::from_chars(digits, written.ptr, value, std::chars_format::scientific);
  }
  return FromCp1251(NumberText(value, format));
}

QString StatisticCellText(const SweepStatistic& statistic, bool with_intervals,
                          const NumberFormat& format) {
  if (!statistic.mean)
    return QStringLiteral("-");
  QString text = FourDigitText(*statistic.mean, format);
  if (with_intervals && statistic.half_width)
    text += QStringLiteral(" ± ") + FourDigitText(*statistic.half_width, format);
  return text;
}

}  // namespace qsim::gui
