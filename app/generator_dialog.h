#pragma once

#include "app/element_dialog.h"
#include "editor/element_fields.h"

namespace qsim::gui {

// A generator's parameters: intensity, law of intervals, variance, priority of
// its requests and name.
//
// Qt object names: `TForm3` the dialog, `Edit1` intensity, `ComboBox1` law,
// `Edit3` variance, `Edit4` priority, `Edit5` name, `Button1` OK.
class GeneratorDialog : public ElementDialog {
  Q_OBJECT

 public:
  explicit GeneratorDialog(QWidget* parent);

  void Fill(const QString& caption, const GeneratorFields& fields);
  GeneratorFields Fields() const;

 private:
  QLineEdit* intensity_edit_;
  QComboBox* law_list_;
  QLineEdit* variance_edit_;
  QLineEdit* priority_edit_;
  QLineEdit* name_edit_;
};

}  // namespace qsim::gui
