#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "foundation/number_format.h"
#include "results/run_figures.h"

namespace qsim {

// `value` rounded to 4 significant digits, in the report's number form.
std::string SignificantText(double value, const NumberFormat& format);

// "value" + `plus_minus` + "half-width", both to 4 significant digits; the value
// alone without a half-width; the report's mark of a cell without a value for none.
std::string EstimateText(const std::optional<Estimate>& estimate, const NumberFormat& format,
                         std::string_view plus_minus);

// The report's section «Точность и дополнительные показатели», written after its
// specified tables: the warm-up and the method of the intervals, the accounting of
// the run's requests, the figures of the network, every queue, device and
// generator as value ± half-width, and for every queue a step plot of its length
// and a histogram of its waits as inline SVG (without them when `with_plots` is
// off). Windows-1251, CR LF line ends.
void WriteFiguresSection(std::ostream& out, const RunFigures& figures, const NumberFormat& format,
                         bool with_plots = true);

}  // namespace qsim
