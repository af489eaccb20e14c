#pragma once

class QComboBox;

namespace qsim::gui {

// Makes `list` at least as wide as its longest item needs in the platform's
// style, and at least `least` pixels. Call it again whenever the items change:
// the list's own size hint leaves an editable list a few pixels short.
void FitListToItems(QComboBox& list, int least);

}  // namespace qsim::gui
