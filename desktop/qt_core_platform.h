#pragma once

#include <QString>

#include <string>

#include "foundation/install_layout.h"
#include "foundation/platform.h"

namespace qsim::desktop {

// The part of the desktop's services that both shells take alike from Qt Core: the
// local clock, the user's date and time formats (of the default locale, which is the
// system's unless a test sets another), and where the program's help, examples and
// reports are. Each shell adds how a document is opened.
class QtCorePlatform : public Platform {
 public:
  // `program_folder`: the folder of the executable, or a stand-in folder in tests.
  explicit QtCorePlatform(const QString& program_folder);

  LocalDateTime Now() const override;
  std::string ShortDate(const LocalDateTime& when) const override;
  std::string LongTime(const LocalDateTime& when) const override;
  // Where help, examples and reports are: beside the program in its build folder,
  // or in the installed tree and the user's documents folder.
  const InstallLayout& layout() const { return layout_; }

 private:
  InstallLayout layout_;
};

}  // namespace qsim::desktop
