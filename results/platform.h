#pragma once

#include <string>

namespace qsim {

// A local calendar date and time of day.
struct LocalDateTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
};

// What the desktop provides to the core. The GUI and the command line implement
// it over Qt; tests use a fake with a fixed clock and a temporary folder. Texts are
// Windows-1251 bytes.
class Platform {
 public:
  virtual ~Platform() = default;

  // The local clock.
  virtual LocalDateTime Now() const = 0;
  // The date in the user's short date format, the time in the long time format.
  virtual std::string ShortDate(const LocalDateTime& when) const = 0;
  virtual std::string LongTime(const LocalDateTime& when) const = 0;
  // The folder of the program file, without a trailing separator; `reports` and
  // `models` live in it.
  virtual std::string ProgramFolder() const = 0;
  // Asks the desktop shell to open a document (a report, a protocol, the help page).
  virtual void OpenDocument(const std::string& path) = 0;
};

// The stamp of generated file names: dd_mm_yyyy_hh_mm_ss.
std::string DateTimeStamp(const LocalDateTime& when);

// The path of a generated file (report, protocol) in the reports folder: the chosen name
// (Windows-1251 text) or prefix + the stamp of `when`, then the suffix and the extension.
std::string GeneratedFilePath(const std::string& reports_folder, bool name_auto,
                              const std::string& chosen_name, const std::string& prefix,
                              const LocalDateTime& when, const std::string& suffix,
                              const std::string& extension);

}  // namespace qsim
