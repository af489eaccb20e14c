#pragma once

#include <string>
#include <vector>

#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// The canonical model text of the store: the blocks of the elements in use,
// interleaved by slot (generator, queue, device of slot 1, then of slot 2, ...),
// followed by the model-level lines. Reading it back gives every printed field.
std::vector<std::string> WriteModelText(const ModelStore& store, const NumberFormat& format);

}  // namespace qsim
