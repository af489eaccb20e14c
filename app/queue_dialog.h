#pragma once

#include <array>

#include "app/element_dialog.h"
#include "editor/element_fields.h"

class QRadioButton;

namespace qsim::gui {

// A queue's parameters: maximum length, order of service and name. The four
// order buttons exclude each other; a queue whose order has no button leaves
// them as the last use left them.
//
// Qt object names: `TForm4` the dialog, `Edit1` maximum length, `RadioButton1`
// to `RadioButton4` the order of service in code order, `Edit2` name, `Button1` OK,
// `CancelButton` cancel.
class QueueDialog : public ElementDialog {
  Q_OBJECT

 public:
  explicit QueueDialog(QWidget* parent);

  void Fill(const QString& caption, const QueueFields& fields);
  QueueFields Fields() const;

 protected:
  std::optional<BadField> FirstBadField() const override;
  QWidget* FieldWidget(DialogField field) const override;

 private:
  QLineEdit* length_edit_;
  std::array<QRadioButton*, 4> discipline_buttons_{};
  QLineEdit* name_edit_;
};

}  // namespace qsim::gui
