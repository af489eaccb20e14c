#pragma once

#include <array>

#include "app/element_dialog.h"
#include "editor/element_fields.h"

class QRadioButton;

namespace qsim::gui {

// A queue's parameters: maximum length, order of service and name. The four
// order buttons exclude each other; a queue whose order has no button leaves
// them as the last use left them.
class QueueDialog : public ElementDialog {
  Q_OBJECT

 public:
  explicit QueueDialog(QWidget* parent);

  void Fill(const QString& caption, const QueueFields& fields);
  QueueFields Fields() const;

 private:
  QLineEdit* edit1_;
  std::array<QRadioButton*, 4> radio_buttons_{};
  QLineEdit* edit2_;
};

}  // namespace qsim::gui
