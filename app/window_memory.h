#pragma once

#include <QByteArray>

namespace qsim::gui {

// What the main window takes from one start of the program to the next: its
// size and place, the canvas's scale and whether the diagram shows its names
// and probabilities. Kept in the user's settings (`QSettings` of the
// application's organisation and name, in the default format), so that a test
// that points the settings elsewhere never meets what a user stored.
struct WindowMemory {
  QByteArray geometry;  // QWidget::saveGeometry; empty: nothing stored
  int zoom = 100;
  bool labels_shown = true;
};

WindowMemory RecallWindow();
void RememberWindow(const WindowMemory& memory);

}  // namespace qsim::gui
