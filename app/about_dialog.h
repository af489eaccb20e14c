#pragma once

#include <QDialog>

namespace qsim::gui {

// The about box: the program's name and version, closed by its button. Qt object
// name: `TForm8`.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);
};

}  // namespace qsim::gui
