#pragma once

#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "engine/event_observer.h"
#include "engine/run_controls.h"
#include "foundation/atomic_file.h"
#include "foundation/number_format.h"
#include "foundation/platform.h"
#include "model/run_settings.h"

namespace qsim {

// The protocol of a run: two header lines, then one line per event taken from the
// calendar, written before the event is handled. Windows-1251, CR LF.
class ProtocolWriter : public EventObserver {
 public:
  // `model_file_name` (Windows-1251) is printed in the header; it may be empty.
  ProtocolWriter(std::ostream& out, std::string model_file_name, const NumberFormat& format);

  void RunStarted() override;
  void EventTaken(const EventNode& event) override;
  void RunFinished() override;

 protected:
  // Where the lines go; set by the constructor or by a subclass that opens a file.
  void set_stream(std::ostream& out) { out_ = &out; }
  // Throws QsimError when the stream failed.
  virtual void FailIfBroken();

 private:
  std::ostream* out_;
  std::string model_file_name_;
  NumberFormat format_;
  std::string line_;  // reused for every line
};

// The streams a ProtocolFile writes to, held in a base of its own so that they are
// constructed before the ProtocolWriter that keeps a pointer to them: an empty
// stream until the run's first event, then the file.
struct ProtocolFileStream {
  std::ostringstream no_file;
  std::optional<AtomicFile> file;
};

// A protocol written to a file of the reports folder, created when the run takes
// its first event: "protocol_" + the date-time stamp + ".txt" (a new file, with
// "_2", "_3", ... when the name is taken), or the name chosen in the settings +
// ".txt". `suffix` goes before the extension (for series of runs). The file takes
// its place when the run has finished, also a run stopped from outside; a write
// that fails leaves the folder as it was (AtomicFile).
class ProtocolFile : private ProtocolFileStream, public ProtocolWriter {
 public:
  ProtocolFile(std::string reports_folder, const RunSettings& settings, const Platform& platform,
               std::string model_file_name, const NumberFormat& format, std::string suffix = "");

  void RunStarted() override;
  void RunFinished() override;

  // The file's path once created; empty before.
  const std::string& path() const { return path_; }
  // The file took the place of an earlier one of the same name.
  bool replaced() const { return replaced_; }

 protected:
  void FailIfBroken() override;

 private:
  std::string reports_folder_;
  bool name_auto_;
  std::string chosen_name_;
  const Platform& platform_;
  std::string suffix_;
  std::string path_;
  bool replaced_ = false;
};

}  // namespace qsim
