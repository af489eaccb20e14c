#include "commands/model_history.h"

#include <utility>

namespace qsim {

void ModelHistory::Clear(ModelState now) {
  steps_.clear();
  done_ = 0;
  recorded_ = std::move(now);
}

bool ModelHistory::Record(const std::string& name, ModelState now) {
  if (now.text == recorded_.text) {
    recorded_ = std::move(now);
    return false;
  }
  steps_.resize(done_);
  if (steps_.size() == kStepLimit)
    steps_.erase(steps_.begin());
  steps_.push_back(Step{name, recorded_, now});
  done_ = steps_.size();
  recorded_ = std::move(now);
  return true;
}

std::string ModelHistory::UndoName() const {
  return CanUndo() ? steps_[done_ - 1].name : std::string();
}

std::string ModelHistory::RedoName() const {
  return CanRedo() ? steps_[done_].name : std::string();
}

const ModelState& ModelHistory::Undo() {
  --done_;
  recorded_ = steps_[done_].before;
  return recorded_;
}

const ModelState& ModelHistory::Redo() {
  recorded_ = steps_[done_].after;
  ++done_;
  return recorded_;
}

}  // namespace qsim
