#pragma once

#include <string>

#include "editor/editor_tools.h"
#include "model/model_store.h"

namespace qsim {

// The names under which the visual editor's edits are undone and redone, and
// the pieces they share with the editor's captions. Texts are Windows-1251.

// "генератора ", "очереди ", "устройства ": the kind as in "из очереди 2".
std::string KindGenitive(ElementKind kind);

// Where a transition leads: "из генератора 1 в очередь 2", "из устройства 3 в
// терминатор заявок". The target is named as the disconnect list names it: a
// generator's routes go to queues, a queue's to devices, a device's by their
// kind (a kind without a meaning, from a hand-written text, by its code).
std::string RouteText(ElementKind source, int from, TargetKind target, int to);

// "размещение очереди 2", "изменение параметров очереди 2", "удаление очереди 2".
std::string PlacementName(ElementKind kind, int slot);
std::string ParametersEditName(ElementKind kind, int slot);
std::string DeletionName(ElementKind kind, int slot);

// "добавление перехода из очереди 1 в устройство 3", "удаление перехода ...".
std::string ConnectionName(ElementKind source, int from, TargetKind target, int to);
std::string DisconnectionName(ElementKind source, int from, TargetKind target, int to);
// "изменение вероятности перехода из очереди 1 в устройство 3".
std::string ProbabilityEditName(ElementKind source, int from, TargetKind target, int to);

// "перемещение устройства 3", "перемещение терминатора заявок".
std::string MoveName(DragKind kind, int slot);

}  // namespace qsim
