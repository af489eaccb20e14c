#pragma once

#include <QDialog>

namespace qsim::gui {

// The about box: the program's name and version, closed by its button.
class TForm8 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm8(QWidget* parent);
};

}  // namespace qsim::gui
