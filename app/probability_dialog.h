#pragma once

#include "app/element_dialog.h"

namespace qsim::gui {

// The probability of a new transition: one edit field with the suggested value.
class ProbabilityDialog : public ElementDialog {
  Q_OBJECT

 public:
  explicit ProbabilityDialog(QWidget* parent);

  // Shows the dialog with `suggested` in the field; returns the field's text.
  QString Ask(const QString& caption, const QString& suggested);

 private:
  QLineEdit* edit1_;
};

}  // namespace qsim::gui
