#pragma once

#include <string>
#include <vector>

#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// Reads a model text into the store, line by line, by the rules of the model
// language. A line that ends in "+" (and is at least two characters long) loses
// its last two characters, and the shortened line replaces it in `lines`.
//
// Before reading, every slot is marked unused. The first header of a slot in the
// reading starts its element afresh (ResetDefinition), so a field the text leaves
// out takes its initial value, whatever model was read before; run settings and
// the terminator's position keep their values until a line sets them, and the
// last run's statistics stay. A value that does not convert, a slot number outside
// 0..150 or a transition count outside 0..30 throws QsimError tied to its line
// number; the store keeps what the earlier lines set.
//
// REQUIRES: the caller has reset settings.process_all if the text is to decide it.
void ReadModelText(std::vector<std::string>& lines, ModelStore& store, const NumberFormat& format);

}  // namespace qsim
