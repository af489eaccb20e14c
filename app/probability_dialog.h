#pragma once

#include "app/element_dialog.h"

namespace qsim::gui {

// The probability of a new transition: one edit field with the suggested value.
// Qt object names: `TForm6` the dialog, `Edit1` the probability, `Button1` OK.
class ProbabilityDialog : public ElementDialog {
  Q_OBJECT

 public:
  explicit ProbabilityDialog(QWidget* parent);

  // Shows the dialog with `suggested` in the field; returns the field's text.
  QString Ask(const QString& caption, const QString& suggested);

 private:
  QLineEdit* probability_edit_;
};

}  // namespace qsim::gui
