#pragma once

class QApplication;

namespace qsim::gui {

// What the program sets before it creates its windows: the application title,
// the window icon, and Russian texts for Qt's own dialogs and buttons.
void PrepareApplication(QApplication& application);

}  // namespace qsim::gui
