#include "app/queue_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/gui_text.h"
#include "app/object_names.h"

namespace qsim::gui {

QueueDialog::QueueDialog(QWidget* parent)
    : ElementDialog(names::kQueueDialog, QSize(305, 137), parent),
      length_edit_(AddEdit("Edit1", 65)),
      name_edit_(AddEdit("Edit2", 145)) {
  const QString captions[] = {QStringLiteral("FIFO"), QStringLiteral("LIFO"),
                              QStringLiteral("FIFO с отн. приоритетом"),
                              QStringLiteral("LIFO с отн. приоритетом")};
  const int widths[] = {105, 121, 153, 153};
  // One parent for the four buttons, so they exclude each other.
  auto* disciplines = new QVBoxLayout;
  for (int i = 0; i < 4; ++i) {
    discipline_buttons_[i] = new QRadioButton(captions[i], this);
    discipline_buttons_[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
    discipline_buttons_[i]->setMinimumWidth(widths[i]);
    disciplines->addWidget(discipline_buttons_[i]);
  }
  AddRow(QStringLiteral("Максимальная длина :"), length_edit_, QStringLiteral("от 1 до 200"),
         names::kLengthRange);
  AddRow(QStringLiteral("Дисциплина обслуживания :"), disciplines);
  AddRow(QStringLiteral("Наименование : "), name_edit_);
  QPushButton* ok_button = AddOkButton(QStringLiteral("OK"), QSize(57, 17));
  setTabOrder(discipline_buttons_[0], discipline_buttons_[1]);
  setTabOrder(discipline_buttons_[1], discipline_buttons_[2]);
  setTabOrder(discipline_buttons_[2], discipline_buttons_[3]);
  setTabOrder(discipline_buttons_[3], length_edit_);
  setTabOrder(length_edit_, ok_button);
  setTabOrder(ok_button, name_edit_);
  setTabOrder(name_edit_, AddCancelButton(QSize(57, 17)));
  FitToContents();
}

void QueueDialog::Fill(const QString& caption, const QueueFields& fields) {
  setWindowTitle(caption);
  length_edit_->setText(FromCp1251(fields.len));
  if (fields.discipline && *fields.discipline >= 0 && *fields.discipline < 4)
    discipline_buttons_[*fields.discipline]->setChecked(true);
  name_edit_->setText(FromCp1251(fields.name));
}

// The buttons are tested in their order, so the last checked one decides.
QueueFields QueueDialog::Fields() const {
  QueueFields fields{ToCp1251(length_edit_->text()), std::nullopt, ToCp1251(name_edit_->text())};
  for (int i = 0; i < 4; ++i) {
    if (discipline_buttons_[i]->isChecked())
      fields.discipline = i;
  }
  return fields;
}

std::optional<ElementDialog::BadField> QueueDialog::FirstBadField() const {
  return BadFieldOf(FirstFault(Fields()));
}

// The length is the queue's only field that has to convert.
QWidget* QueueDialog::FieldWidget(DialogField /*field*/) const {
  return length_edit_;
}

}  // namespace qsim::gui
