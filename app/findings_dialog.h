#pragma once

#include <QDialog>

#include "language/model_validation.h"

class QPlainTextEdit;
class QPushButton;

namespace qsim::gui {

// The findings of the model check before a run. The user goes back to editing
// or continues the run (disabled when a finding blocks the run). The window has
// no title-bar buttons; closing it any other way (Escape, the window manager) is
// going back to editing, so a run never starts from a dialog the user dismissed.
//
// Qt object names: `TForm9` the dialog, `Memo1` the findings, `Button1` back to
// editing, `Button2` continue.
class FindingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindingsDialog(QWidget* parent);

  // Lists the findings, sets the caption with their count and shows the dialog
  // modally. Returns true when the user continues the run.
  bool Review(const ValidationResult& result);

 private:
  QPlainTextEdit* findings_text_;
  QPushButton* edit_button_;
  QPushButton* continue_button_;
};

}  // namespace qsim::gui
