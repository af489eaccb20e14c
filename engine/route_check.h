#pragma once

#include <optional>
#include <string>

#include "model/model_store.h"

namespace qsim {

// The first transition of an element in use that leads nowhere a request can go:
// a generator, or a queue or device that a route leads into, without transitions;
// a target slot outside 1..150 or without an
// element of the target kind, or a kind its source cannot lead to (generators lead
// to queues, queues to devices, devices to queues or the terminator). The message
// names the element and the transition (Windows-1251); empty when every route is
// sound. A run refuses to start on such a model, since its requests would reach
// records that hold no element.
std::optional<std::string> FindRouteFault(const ModelStore& store);

}  // namespace qsim
