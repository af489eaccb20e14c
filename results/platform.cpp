#include "results/platform.h"

#include <cstdio>

namespace qsim {

std::string DateTimeStamp(const LocalDateTime& when) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d_%02d_%04d_%02d_%02d_%02d", when.day, when.month,
                when.year, when.hour, when.minute, when.second);
  return text;
}

}  // namespace qsim
