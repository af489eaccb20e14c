#pragma once

#include "results/platform.h"

namespace qsim::cli {

// The desktop as the command line sees it: the local clock and locale, the folder
// of the executable, and the desktop's opener for documents (xdg-open).
class CliPlatform : public Platform {
 public:
  LocalDateTime Now() const override;
  std::string ShortDate(const LocalDateTime& when) const override;
  std::string LongTime(const LocalDateTime& when) const override;
  std::string ProgramFolder() const override;
  void OpenDocument(const std::string& path) override;
};

}  // namespace qsim::cli
