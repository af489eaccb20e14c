#pragma once

#include "app/element_dialog.h"
#include "editor/element_fields.h"

namespace qsim::gui {

// A device's parameters: mean service time, variance, law of service times,
// number of channels and name.
class DeviceDialog : public ElementDialog {
  Q_OBJECT

 public:
  explicit DeviceDialog(QWidget* parent);

  void Fill(const QString& caption, const DeviceFields& fields);
  DeviceFields Fields() const;

 private:
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QComboBox* combo_box1_;
  QLineEdit* edit4_;
  QLineEdit* edit5_;
};

}  // namespace qsim::gui
