#pragma once

#include <string>
#include <vector>

class QPlainTextEdit;

namespace qsim::gui {

// The lines of the text pane as the core reads them: Windows-1251, an empty last
// line (the text ends with a line break) not counted.
std::vector<std::string> PaneLines(const QPlainTextEdit& pane);

// Replaces the pane's text by `lines`, unless it already holds exactly them, so
// that the cursor and the undo history survive a command that changed nothing.
void SetPaneLines(QPlainTextEdit& pane, const std::vector<std::string>& lines);

// Puts the cursor at the start of 1-based `line` and scrolls it into view.
void PutCursorOnLine(QPlainTextEdit& pane, int line);

// The number of lines the status bar reports: an empty last line is not counted.
int CountedLines(const QPlainTextEdit& pane);

}  // namespace qsim::gui
