#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// The edits that the visual editor's tools make to the store. Texts are
// Windows-1251.

// The lowest slot of the kind not in use; none when all 150 are.
std::optional<int> FreeSlot(const ModelStore& store, ElementKind kind);

// The transitions of the element in the slot.
std::int32_t& TransferOf(ModelStore& store, ElementKind kind, int slot);
std::int32_t TransferOf(const ModelStore& store, ElementKind kind, int slot);
TransitionTable& TransitionsOf(ModelStore& store, ElementKind kind, int slot);
const TransitionTable& TransitionsOf(const ModelStore& store, ElementKind kind, int slot);

// 1 minus the sum of the element's probabilities: what a new transition would
// need for the sum to be 1 (negative when the sum already exceeds 1).
double SuggestedProbability(const ModelStore& store, ElementKind kind, int slot);

// Appends a transition to `target_slot` of `target` (the terminator's slot has no
// meaning). REQUIRES: the element has fewer than 30 transitions.
void AppendTransition(ModelStore& store, ElementKind kind, int slot, TargetKind target,
                      int target_slot, double probability);

// The list the disconnect tool offers: one item per transition, in order
// ("очередь 2 с вер. 0,5", "терминатор с вер. 1"). A device transition of
// another kind, which only a hand-written text can hold, has an item of its own
// so that items and transitions stay in step.
std::vector<std::string> TransitionItems(const ModelStore& store, ElementKind kind, int slot,
                                         const NumberFormat& format);

// Removes transition `number` (1-based); the later ones move down in their order.
void RemoveTransition(ModelStore& store, ElementKind kind, int slot, int number);

// Empties the slot and removes every transition that led to it: deleting a queue
// removes generator transitions to its slot and device transitions of kind queue
// to it; deleting a device removes queue transitions to its slot.
void DeleteElement(ModelStore& store, ElementKind kind, int slot);

// Sets the glyph position of the element.
void MoveElement(ModelStore& store, ElementKind kind, int slot, int x, int y);

// "Очередь 3 (Q1)", "Устройство 2 ()", "Генератор 1 (Src)".
std::string ElementDescription(const ModelStore& store, ElementKind kind, int slot);

}  // namespace qsim
