#pragma once

#include <QDialog>
#include <QString>

#include <optional>

#include "editor/element_fields.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qsim::gui {

// What the five small dialogs of the visual editor share: a fixed client size,
// controls at fixed pixel places, a small font, the button `Button1` that
// accepts (also by Enter) and "Отмена" that leaves everything as it was (also
// by Escape and by the window's close button). A dialog opens centred over the
// main window. It is accepted only when every field converts: otherwise it
// stays open, shows the conversion error and puts the cursor on the field.
class ElementDialog : public QDialog {
  Q_OBJECT

 public:
  // The caller sets the caption anew at every use.
  ElementDialog(const char* name, QSize client, QWidget* parent);

 public Q_SLOTS:
  void accept() override;

 protected:
  // A field that does not convert, and the conversion's message.
  struct BadField {
    QWidget* field;
    QString message;
  };
  // The first field, in the order they are stored, that does not convert.
  virtual std::optional<BadField> FirstBadField() const { return std::nullopt; }
  // The control that shows an element's field; element dialogs name theirs.
  virtual QWidget* FieldWidget(DialogField /*field*/) const { return nullptr; }
  // The bad field that an element's check found, if it found one.
  std::optional<BadField> BadFieldOf(const std::optional<FieldFault>& fault) const;

  void showEvent(QShowEvent* event) override;

  QLabel* AddLabel(const QString& text, int top);
  QLineEdit* AddEdit(const char* name, QPoint at, int width);
  // A list to choose from; it takes no typed text.
  QComboBox* AddComboBox(QPoint at, int width);
  // The list of the five laws of intervals, in the order of their codes.
  QComboBox* AddDistributionList(QPoint at, int width);
  // The default button `Button1`, which accepts the dialog.
  QPushButton* AddOkButton(const QString& text, QRect at);
  // The button "Отмена", which closes the dialog and leaves everything as it was.
  QPushButton* AddCancelButton(QRect at);
};

// Chooses the item at `position`; a position that is no item leaves the list empty.
void ChoosePosition(QComboBox& list, int position);

}  // namespace qsim::gui
