#pragma once

#include <QStringList>

class QWidget;

namespace qsim::gui {

// What in a shown window hides or cuts a text: a label that overlaps another
// control; a label, check box, radio button, push button, group box title or tab
// whose text is wider than the room its widget gives it; a list narrower than
// its longest item. One line per fault, naming the widget by its object name
// (or class) and its text. Only what is visible counts.
QStringList LayoutFaults(const QWidget& window);

}  // namespace qsim::gui
