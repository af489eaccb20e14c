#pragma once

#include <string>
#include <vector>

#include "foundation/number_format.h"
#include "model/model_store.h"
#include "results/traffic_analysis.h"

namespace qsim {

// The analysis of a model as lines of text (Windows-1251): a heading, the offered
// rate of every queue, and for every device its rate, mean service time, channels
// and load per channel, «перегружено» at a load of 1 or more, and where queueing
// theory applies its prediction of refusals, queue length and wait. When the store
// holds a finished run (model time above 0), each prediction is followed by the
// run's own value in parentheses. Reals are shown with 4 significant digits
// (ShortNumberText), or with `all_digits` as NumberText writes them.
std::vector<std::string> AnalysisText(const ModelStore& store, const TrafficAnalysis& analysis,
                                      const NumberFormat& format, bool all_digits = false);

}  // namespace qsim
