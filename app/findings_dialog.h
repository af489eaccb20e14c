#pragma once

#include <QDialog>

#include "language/model_validation.h"

class QPlainTextEdit;
class QPushButton;

namespace qsim::gui {

// The findings of the model check before a run. The user goes back to editing
// (Button1) or continues the run (Button2, disabled when a finding blocks the
// run). The window has no title-bar buttons; closing it any other way (Escape,
// the window manager) is going back to editing, so a run never starts from a
// dialog the user dismissed.
class FindingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindingsDialog(QWidget* parent);

  // Lists the findings, sets the caption with their count and shows the dialog
  // modally. Returns true when the user continues the run.
  bool Review(const ValidationResult& result);

 private:
  QPlainTextEdit* memo1_;
  QPushButton* button1_;
  QPushButton* button2_;
};

}  // namespace qsim::gui
