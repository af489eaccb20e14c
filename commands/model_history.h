#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/store_snapshot.h"

namespace qsim {

// The model at one moment: the store and the lines of its text (Windows-1251).
struct ModelState {
  std::shared_ptr<const StoreSnapshot> store;
  std::vector<std::string> text;
};

// The undo history of a model document. Each step holds the whole model before
// and after it, so undo and redo put back exactly what was there; neighbouring
// steps share the state between them. The history keeps the state of the last
// step (the recorded state), and the next step reaches from there to the model
// as it then stands, so that a move, whose element follows the pointer long
// before it is dropped, is one step from the pick to the drop.
class ModelHistory {
 public:
  // Far more steps than a session makes; a step costs only the records it changed.
  static constexpr std::size_t kStepLimit = 1000;

  // `now` begins the history: nothing to undo or redo.
  void Clear(ModelState now);

  // The change from the recorded state to `now` is one step named `name`
  // ("удаление очереди 2"), and the steps undone before are gone. A change that
  // leaves the text as it was (the results of a run, a dialog closed with the
  // values it showed) is no step: `now` only becomes the recorded state.
  // Returns true when a step was made.
  bool Record(const std::string& name, ModelState now);

  const ModelState& recorded() const { return recorded_; }

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The names of the step that undo and redo would put back; empty when none.
  std::string UndoName() const;
  std::string RedoName() const;

  // Steps back over the last step done (forward over the one undone last) and
  // returns the state that is recorded then. REQUIRES: CanUndo() (CanRedo()).
  const ModelState& Undo();
  const ModelState& Redo();

 private:
  struct Step {
    std::string name;
    ModelState before;
    ModelState after;
  };

  std::vector<Step> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
  ModelState recorded_;
};

}  // namespace qsim
