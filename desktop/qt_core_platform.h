#pragma once

#include <QString>

#include <string>

#include "foundation/platform.h"

namespace qsim::desktop {

// The part of the desktop's services that both shells take alike from Qt Core: the
// local clock, the user's date and time formats (of the default locale, which is the
// system's unless a test sets another), and the folder that holds `reports` and
// `models`. Each shell adds how a document is opened.
class QtCorePlatform : public Platform {
 public:
  // `program_folder`: the folder of the executable, or a stand-in folder in tests.
  explicit QtCorePlatform(QString program_folder);

  LocalDateTime Now() const override;
  std::string ShortDate(const LocalDateTime& when) const override;
  std::string LongTime(const LocalDateTime& when) const override;
  std::string ProgramFolder() const override;

  const QString& program_folder() const { return program_folder_; }

 private:
  QString program_folder_;
};

}  // namespace qsim::desktop
