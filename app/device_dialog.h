#pragma once

#include "app/element_dialog.h"
#include "editor/element_fields.h"

namespace qsim::gui {

// A device's parameters: mean service time, variance, law of service times,
// number of channels and name.
//
// Qt object names: `TForm5` the dialog, `Edit1` mean service time, `Edit2`
// variance, `ComboBox1` law, `Edit4` channels, `Edit5` name, `Button1` OK,
// `CancelButton` cancel.
class DeviceDialog : public ElementDialog {
  Q_OBJECT

 public:
  DeviceDialog(const NumberFormat& format, QWidget* parent);

  void Fill(const QString& caption, const DeviceFields& fields);
  DeviceFields Fields() const;

 protected:
  std::optional<BadField> FirstBadField() const override;
  QWidget* FieldWidget(DialogField field) const override;

 private:
  NumberFormat format_;
  QLineEdit* service_time_edit_;
  QLineEdit* variance_edit_;
  QComboBox* law_list_;
  QLineEdit* channels_edit_;
  QLineEdit* name_edit_;
};

}  // namespace qsim::gui
