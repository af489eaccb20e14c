#pragma once

#include <QString>

#include <string>

#include "model/model_store.h"

namespace qsim::gui {

// How the user reads a statistics column of a series: the element's kind, slot
// and, when it has one, its name in parentheses, then the statistic, in Russian
// ("queue_1_mean_length" of a queue named Q: «Очередь 1 (Q): средняя длина»).
// A column of no known form keeps its own name.
QString SweepColumnTitle(const std::string& column, const ModelStore& store);

}  // namespace qsim::gui
