#pragma once

#include <string_view>

#include "model/element_kinds.h"

namespace qsim {

// The name under which the report and the element dialogs show a law of
// intervals (Windows-1251). Codes above 4 act as the constant law and are shown
// as it.
std::string_view DistributionName(DistributionKind kind);

// The caption of a queue's order of service ("FIFO", "LIFO с отн. приоритетом").
// A code without a meaning has an empty caption.
std::string_view DisciplineCaption(QueueDiscipline discipline);

}  // namespace qsim
