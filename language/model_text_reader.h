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
// `not_taken_whole`, when given, receives the numbers (from 1) of the lines that
// the reading does not take whole, which a text written from the store therefore
// loses: a line that no rule applies to (a note, a mistyped keyword, a line of a
// block of slot 0, a discipline word that names none), and a line with more
// than its rule takes (`name My Queue;x` gives the name "My"; a name longer
// than 25 characters). Lines of nothing but separators are not counted.
//
// REQUIRES: the caller has reset settings.process_all if the text is to decide it.
void ReadModelText(std::vector<std::string>& lines, ModelStore& store, const NumberFormat& format,
                   std::vector<int>* not_taken_whole = nullptr);

// The lines of `lines` that a reading would not take whole, as above, found by a
// reading into a store of its own. None for a text that does not read, since
// nothing is written in place of such a text.
std::vector<int> LinesNotTakenWhole(std::vector<std::string> lines, const NumberFormat& format);

}  // namespace qsim
