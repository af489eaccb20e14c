#include "commands/model_document.h"

#include <utility>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_writer.h"

namespace qsim {

ModelDocument::ModelDocument(const NumberFormat& format)
    : store_(std::make_unique<ModelStore>()), format_(format) {
  history_.Clear(Now());
}

ModelState ModelDocument::Now() const {
  return {std::make_shared<const StoreSnapshot>(*store_, history_.recorded().store.get()), lines_};
}

// A text read as the recorded one was changed only by the model check.
void ModelDocument::ReadText(const Reader& read) {
  const bool keep_typed = std::exchange(keep_typed_lines_, false);
  std::vector<std::string> text = lines_;
  try {
    read(text);
  } catch (const QsimError& error) {
    failed_line_ = error.line();  // 0: the text was read, what came after failed
    lines_ = std::move(text);
    throw;
  }
  failed_line_ = 0;
  if (keep_typed) {
    CommitStep(std::string("изменение текста модели"_cp));
    lines_ = std::move(text);
    CommitStep(std::string("удаление непрочитанных строк"_cp));
    return;
  }
  const bool corrected = lines_ == history_.recorded().text;
  lines_ = std::move(text);
  CommitStep(corrected ? std::string("исправление модели при проверке"_cp)
                       : std::string("изменение текста модели"_cp));
}

void ModelDocument::ReadSameModel(const Reader& read) {
  const bool was_saved = !IsModified();
  ReadText(read);
  if (was_saved)
    MarkSaved();
}

void ModelDocument::Regenerate() {
  if (failed_line_ == 0)
    lines_ = WriteModelText(*store_, format_);
}

void ModelDocument::RegenerateSameModel() {
  const bool was_saved = !IsModified();
  Regenerate();
  if (was_saved)
    MarkSaved();
}

void ModelDocument::CommitEdit(const std::string& name) {
  Regenerate();
  CommitStep(name);
}

void ModelDocument::CommitStep(const std::string& name) {
  if (history_.Record(name, Now()))
    ++steps_recorded_;
}

void ModelDocument::NewModel() {
  lines_.clear();
  failed_line_ = 0;  // the empty text of the empty model
  store_->ClearForNewModel();
  MarkSaved();
  StartHistory();
}

void ModelDocument::StartHistory() {
  history_.Clear(Now());
}

std::string ModelDocument::PendingEdit() const {
  if (!under_way_.empty() || !HasUntakenText())
    return under_way_;
  return std::string("изменение текста модели"_cp);
}

std::string ModelDocument::UndoName() const {
  const std::string pending = PendingEdit();
  return pending.empty() ? history_.UndoName() : pending;
}

void ModelDocument::Undo() {
  if (history_.CanUndo())
    Restore(history_.Undo());
}

void ModelDocument::Redo() {
  if (history_.CanRedo())
    Restore(history_.Redo());
}

void ModelDocument::Revert() {
  Restore(history_.recorded());
}

// A state of the history is a store and the text it was read from or written as.
void ModelDocument::Restore(const ModelState& state) {
  state.store->RestoreInto(*store_);
  lines_ = state.text;
  failed_line_ = 0;
}

}  // namespace qsim
