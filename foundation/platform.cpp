#include "foundation/platform.h"

#include <cstdio>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

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
  if (!name_auto && chosen_name.empty()) {
    throw QsimError(std::string("Не задано имя файла "_cp) + extension +
                    std::string(": задайте имя или выберите имя по дате и времени"_cp));
  }
  const std::string name = name_auto ? prefix + DateTimeStamp(when) : chosen_name;
  return reports_folder + "/" + name + suffix + extension;
}

AtomicFile OpenGeneratedFile(const std::string& reports_folder, bool name_auto,
                             const std::string& chosen_name, const std::string& prefix,
                             const LocalDateTime& when, const std::string& suffix,
                             const std::string& extension) {
  const std::string path =
      GeneratedFilePath(reports_folder, name_auto, chosen_name, prefix, when, suffix, extension);
  if (!name_auto)
    return AtomicFile(path);
  return AtomicFile::Fresh(path.substr(0, path.size() - extension.size()), extension);
}

}  // namespace qsim
