#pragma once

#include <QDialog>
#include <QString>

#include <optional>

#include "editor/element_fields.h"

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QLayout;
class QPushButton;

namespace qsim::gui {

// What the five small dialogs of the visual editor share: a column of labels
// beside a column of fields, row by row, with the buttons below; the button
// `Button1` that accepts (also by Enter) and "Отмена" that leaves everything as
// it was (also by Escape and by the window's close button). The platform's font
// sets the size: the given client size and field widths are only the least, so
// no text is cut whatever the font and the screen's scale. A dialog opens
// centred over the main window. It is accepted only when every field converts: otherwise it
// stays open, shows the conversion error and puts the cursor on the field.
class ElementDialog : public QDialog {
  Q_OBJECT

 public:
  // The caller sets the caption anew at every use. `client` is the least size.
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

  // Fields at least `width` wide; they take their place with AddRow.
  QLineEdit* AddEdit(const char* name, int width);
  // A list to choose from; it takes no typed text.
  QComboBox* AddComboBox(int width);
  // The list of the laws of intervals, in the order of their codes.
  QComboBox* AddDistributionList(int width);
  // The next row: `label` to the left of `field` (or of the fields in `fields`).
  QLabel* AddRow(const QString& label, QWidget* field);
  QLabel* AddRow(const QString& label, QLayout* fields);
  // The next row, with the values the field takes (`range`) to its right, in a
  // label named `name`.
  QLabel* AddRow(const QString& label, QWidget* field, const QString& range, const char* name);
  // The next row, under the law list: the line `LawHint` on what the chosen law
  // gives (`LawHint` label). `spread` is enabled only for the laws that use it.
  void AddLawHint(QComboBox* law_list, QWidget* spread);
  // The default button `Button1`, which accepts the dialog; right of the buttons.
  QPushButton* AddOkButton(const QString& text, QSize least);
  // The button "Отмена", which closes the dialog and leaves everything as it was.
  QPushButton* AddCancelButton(QSize least);
  // Called last, and at every opening: the dialog takes the size its controls
  // need, at least `client`.
  void FitToContents();

 private:
  QSize least_client_;
  QGridLayout* rows_;
  QHBoxLayout* buttons_;
};

// Chooses the item at `position`; a position that is no item leaves the list empty.
void ChoosePosition(QComboBox& list, int position);

}  // namespace qsim::gui
