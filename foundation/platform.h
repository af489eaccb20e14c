#pragma once

#include <string>

#include "foundation/atomic_file.h"

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

// What the desktop provides to the core: the only way the core reaches the clock,
// the user's locale and the desktop shell. The GUI and the command line implement
// it over Qt; tests use a fake with a fixed clock. Texts are Windows-1251 bytes;
// paths are in the file system's encoding.
//
// Threads: a run of the compute command may take place on a worker thread while the
// GUI thread waits for it, so every call may come from any thread, one at a time.
// None of them throws.
class Platform {
 public:
  virtual ~Platform() = default;

  // The local clock, to the second. Always succeeds.
  virtual LocalDateTime Now() const = 0;
  // `when` in the user's short date format and long time format (without a time
  // zone). Always succeed; a date the locale cannot show gives an empty text.
  virtual std::string ShortDate(const LocalDateTime& when) const = 0;
  virtual std::string LongTime(const LocalDateTime& when) const = 0;
  // Asks the desktop shell to open a document (a report, a protocol, the help page)
  // and returns at once. Success means only that the request was handed on: a
  // document the desktop cannot open is the desktop's to report, never the
  // command's. Called from a worker thread, the document opens after the command
  // has returned to the GUI thread.
  virtual void OpenDocument(const std::string& path) = 0;
};

// The stamp of generated file names: dd_mm_yyyy_hh_mm_ss.
std::string DateTimeStamp(const LocalDateTime& when);

// The path of a generated file (report, protocol) in the reports folder: the chosen
// name (in the file system's encoding, as the user gave it) or prefix + the stamp of
// `when`, then the suffix and the extension. Throws QsimError when the name is
// chosen but empty: it would make a hidden file of the extension alone.
std::string GeneratedFilePath(const std::string& reports_folder, bool name_auto,
                              const std::string& chosen_name, const std::string& prefix,
                              const LocalDateTime& when, const std::string& suffix,
                              const std::string& extension);

// The generated file at GeneratedFilePath, to be written. A chosen name replaces
// its file once written; a stamped name is a new file, with "_2", "_3", ... after
// the suffix when the name is taken (two runs of one second), so that no run
// replaces another's files.
AtomicFile OpenGeneratedFile(const std::string& reports_folder, bool name_auto,
                             const std::string& chosen_name, const std::string& prefix,
                             const LocalDateTime& when, const std::string& suffix,
                             const std::string& extension);

}  // namespace qsim
