#pragma once

#include <QSize>

class QWidget;

namespace qsim::gui {

// The size a window opens with: `wanted`, but no smaller than its controls need
// and, where they allow, no larger than the screen's free area, so that on a
// small or strongly scaled screen the window still fits.
QSize OpeningSize(const QWidget& window, QSize wanted);

// Moves a dialog that is about to be shown over the middle of its owner's
// window, where the user's eyes are, kept inside the owner's screen. A dialog
// without an owner stays where it is.
void CentreOverOwner(QWidget& dialog);

}  // namespace qsim::gui
