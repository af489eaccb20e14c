#pragma once

#include <optional>

#include "app/element_dialog.h"
#include "foundation/number_format.h"

namespace qsim::gui {

// The probability of a new transition: one edit field with the suggested value,
// accepted only when it holds a real. Qt object names: `TForm6` the dialog,
// `Edit1` the probability, `Button1` OK, `CancelButton` cancel.
class ProbabilityDialog : public ElementDialog {
  Q_OBJECT

 public:
  ProbabilityDialog(const NumberFormat& format, QWidget* parent);

  // Shows the dialog with `suggested` in the field; returns the field's text, or
  // none when the dialog was cancelled.
  std::optional<QString> Ask(const QString& caption, const QString& suggested);

 protected:
  std::optional<BadField> FirstBadField() const override;

 private:
  NumberFormat format_;
  QLineEdit* probability_edit_;
};

}  // namespace qsim::gui
