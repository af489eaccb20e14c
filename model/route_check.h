#pragma once

#include <optional>
#include <string>

#include "model/model_store.h"

namespace qsim {

// What is wrong with one transition of an element in use.
enum class TransitionFault {
  None,
  // A target kind its source cannot lead to: generators lead to queues, queues to
  // devices, devices to queues or the terminator.
  ForbiddenKind,
  // A target slot outside 1..150, or one that holds no element of the target kind.
  MissingTarget,
};

// The one definition of a transition that leads nowhere a request can go, shared by
// the model check and the run. The terminator needs no slot.
TransitionFault CheckTransition(const ModelStore& store, ElementKind source,
                                const TransitionEntry& entry);

// "переход 2 ведет в несуществующую очередь 151" (Windows-1251): the transition's
// number and its fault, for the messages of the model check and of the run.
// REQUIRES: fault is not None.
std::string TransitionFaultText(int number, const TransitionEntry& entry, TransitionFault fault);

// The first fault that keeps a model from running, in slot order: a transition of
// an element in use that leads nowhere (CheckTransition); a generator without
// transitions; a queue or device without transitions that some route leads into.
// The message names the element and the transition (Windows-1251); empty when
// every route is sound. A run refuses to start on such a model, since its requests
// would reach records that hold no element.
std::optional<std::string> FindRouteFault(const ModelStore& store);

}  // namespace qsim
