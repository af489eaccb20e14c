#pragma once

#include <QStringList>

#include <optional>

#include "app/element_dialog.h"

namespace qsim::gui {

// The transitions of an element, offered for removal in a list. Qt object
// names: `TForm7` the dialog, `ComboBox1` the transitions, `Button1` OK,
// `CancelButton` cancel.
class TransitionDialog : public ElementDialog {
  Q_OBJECT

 public:
  explicit TransitionDialog(QWidget* parent);

  // Shows `items` with the first one chosen; returns the position (from 0) of
  // the chosen item, or none when the dialog was cancelled.
  std::optional<int> Choose(const QString& caption, const QStringList& items);

 private:
  QComboBox* transition_list_;
};

}  // namespace qsim::gui
