#pragma once

#include "app/element_dialog.h"
#include "editor/element_fields.h"

namespace qsim::gui {

// A generator's parameters: intensity, law of intervals, variance, priority of
// its requests and name.
//
// Qt object names: `TForm3` the dialog, `Edit1` intensity, `ComboBox1` law,
// `Edit3` variance, `Edit4` priority, `Edit5` name, `Button1` OK, `CancelButton` cancel.
class GeneratorDialog : public ElementDialog {
  Q_OBJECT

 public:
  GeneratorDialog(const NumberFormat& format, QWidget* parent);

  void Fill(const QString& caption, const GeneratorFields& fields);
  GeneratorFields Fields() const;

 protected:
  std::optional<BadField> FirstBadField() const override;
  QWidget* FieldWidget(DialogField field) const override;

 private:
  NumberFormat format_;
  QLineEdit* intensity_edit_;
  QComboBox* law_list_;
  QLineEdit* variance_edit_;
  QLineEdit* priority_edit_;
  QLineEdit* name_edit_;
};

}  // namespace qsim::gui
