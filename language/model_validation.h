#pragma once

#include <string>
#include <vector>

#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// What the model check found. Texts are Windows-1251.
struct ValidationResult {
  // One line per finding, numbered from 1 in the order found: "1. В генераторе 2 ...".
  std::vector<std::string> findings;
  // The findings window's caption: "Обнаруженные неточности в модели (всего :N)".
  std::string caption;
  // True when a finding makes a run impossible; the user may then only go back to
  // editing.
  bool blocking = false;
};

// Checks the model before a run. The elements in use are examined slot by slot
// (generator, queue, device of slot 1, then of slot 2, ...), then the model as a
// whole. Missing intensities, queue lengths and channel counts outside 1..200 and
// 1..50, and a missing request count or end time are corrected in the store at
// once; they stay corrected whatever the user chooses next. Probability sums below
// 1, a transition that leads nowhere (CheckTransition, right after the other
// findings of its element), a model without an exit and a missing element kind
// block the run. A missing service time is reported and left alone. Sums are
// printed with `format`.
ValidationResult ValidateModel(ModelStore& store, const NumberFormat& format);

}  // namespace qsim
