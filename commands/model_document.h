#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/model_history.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// The edited model: its store, the lines of its text (Windows-1251), whether
// the text is the one last opened or saved, the text of the last finished run,
// the line a reading failed on, and the undo history. The windows show it and
// ask it; they change it only through the calls below.
//
// The store and the text are kept in step by two rules. A command that needs
// the store to match the text reads the text first (ReadText). Every change
// made outside the text goes into the store and ends at the one commit point,
// CommitEdit, which regenerates the text from the store and records the step.
// After a failed reading the store is half read: the lines stay as the reader
// left them, nothing is regenerated from the store, and every command reads
// the text again first.
class ModelDocument {
 public:
  // Reads `lines` into the store and leaves them in canonical form, or throws
  // QsimError with the lines as far as it read them (a compute command).
  using Reader = std::function<void(std::vector<std::string>& lines)>;

  explicit ModelDocument(const NumberFormat& format);

  ModelStore& store() { return *store_; }
  const ModelStore& store() const { return *store_; }
  const NumberFormat& format() const { return format_; }

  const std::vector<std::string>& lines() const { return lines_; }
  // The lines as the user typed them; the store takes them in at the next reading.
  void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

  // The 1-based line the last reading failed on; 0 once a reading succeeded.
  int failed_line() const { return failed_line_; }

  // Reads the text by `read`. A text that changes the model (typed, or corrected
  // by the model check) is a step of the history. Throws what `read` throws,
  // after keeping the lines it left and the failed line.
  void ReadText(const Reader& read);
  // The same, for a reading that only rewrites the text in canonical form: it is
  // the same model, so a text that was saved stays saved.
  void ReadSameModel(const Reader& read);
  // Before a reading that is to drop the lines it does not take whole: the lines
  // as they stand become a step of their own, so that undo brings them back.
  void KeepTypedLinesAtNextReading() { keep_typed_lines_ = true; }
  // The lines stay unread, as after a reading that failed on `line`: nothing is
  // regenerated over them and every command reads them again first.
  void StopReadingAt(int line) { failed_line_ = line; }

  // Rewrites the lines from the store, unless a reading failed.
  void Regenerate();
  // The same when the store did not change: a text that was saved stays saved.
  void RegenerateSameModel();

  // The commit point of every change made outside the text: regenerates the
  // text and records the change as the step `name` ("удаление очереди 2").
  void CommitEdit(const std::string& name);

  // An empty text and an empty model; the run settings and the terminator's
  // position stay. The empty text counts as saved and begins the history.
  void NewModel();

  // True when the text differs from the one last opened or saved.
  bool IsModified() const { return lines_ != saved_lines_; }
  // The text as it stands is the saved one.
  void MarkSaved() { saved_lines_ = lines_; }

  // The text as it stands is the one the last finished run ran.
  void MarkRun() { run_lines_ = lines_; }
  // True while the text is still the one of the last finished run, so that the
  // store holds that run's results.
  bool IsRunText() const { return lines_ == run_lines_; }

  // The model as it stands begins the history: nothing to undo or redo.
  void StartHistory();
  // An edit under way that undo abandons with Revert, such as a move whose
  // element follows the pointer: its name, or empty when none is.
  void SetEditUnderWay(std::string name) { under_way_ = std::move(name); }
  // True when the text holds what the store has not taken in (typed in the code
  // editor): undo takes it in first, and there is nothing to redo.
  bool HasUntakenText() const { return lines_ != history_.recorded().text; }
  // The number of steps recorded so far, to tell whether a command made one.
  int steps_recorded() const { return steps_recorded_; }

  // What undo and redo would do. An edit under way, then a text not yet taken
  // in, come before the recorded steps and leave nothing to redo.
  bool CanUndo() const { return !PendingEdit().empty() || history_.CanUndo(); }
  bool CanRedo() const { return PendingEdit().empty() && history_.CanRedo(); }
  std::string UndoName() const;
  std::string RedoName() const { return CanRedo() ? history_.RedoName() : std::string(); }

  // Puts back the model before the last step, or after the step undone last,
  // or (Revert) as the last step left it, undoing an edit under way. Each does
  // nothing when there is nothing to put back.
  void Undo();
  void Redo();
  void Revert();

 private:
  ModelState Now() const;
  void CommitStep(const std::string& name);
  std::string PendingEdit() const;
  void Restore(const ModelState& state);

  std::unique_ptr<ModelStore> store_;  // about 260 KB: kept off the stack of its owner
  NumberFormat format_;
  std::vector<std::string> lines_;
  std::vector<std::string> saved_lines_;
  std::vector<std::string> run_lines_;
  int failed_line_ = 0;
  bool keep_typed_lines_ = false;
  ModelHistory history_;
  int steps_recorded_ = 0;
  std::string under_way_;
};

}  // namespace qsim
