#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/parameter_sweep.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// One parameter the sweep dialog offers: its list text (Windows-1251) and what it
// names.
struct SweepEntry {
  std::string text;
  SweepParameter parameter;
};

// The range last recorded for one parameter: its start, its end and the increment
// between two values. All zero for a parameter never given a range.
struct RecordedRange {
  double from = 0;
  double to = 0;
  double step = 0;
};

// What the sweep dialog holds: the parameters of the current model, the step
// count (locked once a range was added, until the list is cleared) and the ranges
// added, each listed as a line and recorded for its parameter. The recorded
// ranges belong to the plan, not to the model: they are no part of the model
// text, and an element keeps its recorded range when it is deleted and its slot
// reused, as long as the plan lives.
class SweepPlan {
 public:
  // Lists the parameters of the model: every generator's intensity, every
  // queue's length, then every device's mean service time and channel count, each
  // group in slot order. The ranges already added stay.
  void Rebuild(const ModelStore& store);
  const std::vector<SweepEntry>& entries() const { return entries_; }

  // The start value (the parameter's current value) and the stored end value of
  // the entry at `index`, as the dialog shows them.
  std::pair<std::string, std::string> ShownValues(const ModelStore& store, int index,
                                                  const NumberFormat& format) const;

  // Adds a range for the entry at `index` (-1: none chosen) from the parameter's
  // current value to `end_text` in `step_text` values, both ends included: reads
  // and locks the step count, records the range for the parameter and lists it.
  // Returns the listed line; none when no entry is chosen. Throws QsimError for a
  // text that does not convert, and for a step count below 2 (then nothing is
  // locked).
  std::optional<std::string> Add(const ModelStore& store, int index, const std::string& end_text,
                                 const std::string& step_text, const NumberFormat& format);

  // Forgets the added ranges and unlocks the step count; the recorded ranges of
  // the listed parameters whose elements are in use go back to zero.
  void Clear(const ModelStore& store);

  RecordedRange RecordedRangeOf(const SweepParameter& parameter) const;

  bool step_count_locked() const { return step_count_locked_; }
  int step_count() const { return step_count_; }
  const std::vector<std::string>& lines() const { return lines_; }
  const std::vector<SweepRange>& ranges() const { return ranges_; }

 private:
  std::vector<SweepEntry> entries_;
  int step_count_ = 10;
  bool step_count_locked_ = false;
  std::vector<std::string> lines_;
  std::vector<SweepRange> ranges_;
  std::map<std::pair<SweepField, int>, RecordedRange> recorded_;  // by field and slot
};

}  // namespace qsim
