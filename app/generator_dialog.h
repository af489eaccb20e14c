#pragma once

#include "app/element_dialog.h"
#include "editor/element_fields.h"

namespace qsim::gui {

// A generator's parameters: intensity, law of intervals, variance, priority of
// its requests and name.
class GeneratorDialog : public ElementDialog {
  Q_OBJECT

 public:
  explicit GeneratorDialog(QWidget* parent);

  void Fill(const QString& caption, const GeneratorFields& fields);
  GeneratorFields Fields() const;

 private:
  QLineEdit* edit1_;
  QComboBox* combo_box1_;
  QLineEdit* edit3_;
  QLineEdit* edit4_;
  QLineEdit* edit5_;
};

}  // namespace qsim::gui
