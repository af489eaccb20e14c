#include "foundation/platform.h"

#include <cstdio>

#include "foundation/code_page.h"

namespace qsim {

std::string DateTimeStamp(const LocalDateTime& when) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d_%02d_%04d_%02d_%02d_%02d", when.day, when.month, when.year,
                when.hour, when.minute, when.second);
  return text;
}

std::string GeneratedFilePath(const std::string& reports_folder, bool name_auto,
                              const std::string& chosen_name, const std::string& prefix,
                              const LocalDateTime& when, const std::string& suffix,
                              const std::string& extension) {
  const std::string name = name_auto ? prefix + DateTimeStamp(when) : Cp1251ToUtf8(chosen_name);
  return reports_folder + "/" + name + suffix + extension;
}

}  // namespace qsim
