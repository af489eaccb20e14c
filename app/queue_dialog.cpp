#include "app/queue_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/gui_text.h"

namespace qsim::gui {

QueueDialog::QueueDialog(QWidget* parent)
    : ElementDialog("TForm4", QSize(305, 137), QPoint(200, 157), parent),
      edit1_(AddEdit("Edit1", QPoint(152, 0), 65)),
      edit2_(AddEdit("Edit2", QPoint(152, 96), 145)) {
  AddLabel(QStringLiteral("Максимальная длина :"), 0);
  AddLabel(QStringLiteral("Дисциплина обслуживания :"), 24);
  AddLabel(QStringLiteral("Наименование : "), 96);
  const QString captions[] = {QStringLiteral("FIFO"), QStringLiteral("LIFO"),
                              QStringLiteral("FIFO с отн. приоритетом"),
                              QStringLiteral("LIFO с отн. приоритетом")};
  const int widths[] = {105, 121, 153, 153};
  for (int i = 0; i < 4; ++i) {
    radio_buttons_[i] = new QRadioButton(captions[i], this);
    radio_buttons_[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
    radio_buttons_[i]->setGeometry(152, 24 + 16 * i, widths[i], 17);
  }
  QPushButton* button1 = AddButton1(QStringLiteral("OK"), QRect(248, 120, 57, 17));
  setTabOrder(radio_buttons_[0], radio_buttons_[1]);
  setTabOrder(radio_buttons_[1], radio_buttons_[2]);
  setTabOrder(radio_buttons_[2], radio_buttons_[3]);
  setTabOrder(radio_buttons_[3], edit1_);
  setTabOrder(edit1_, button1);
  setTabOrder(button1, edit2_);
}

void QueueDialog::Fill(const QString& caption, const QueueFields& fields) {
  setWindowTitle(caption);
  edit1_->setText(FromCp1251(fields.len));
  if (fields.discipline && *fields.discipline >= 0 && *fields.discipline < 4)
    radio_buttons_[*fields.discipline]->setChecked(true);
  edit2_->setText(FromCp1251(fields.name));
}

// The buttons are tested in their order, so the last checked one decides.
QueueFields QueueDialog::Fields() const {
  QueueFields fields{ToCp1251(edit1_->text()), std::nullopt, ToCp1251(edit2_->text())};
  for (int i = 0; i < 4; ++i) {
    if (radio_buttons_[i]->isChecked())
      fields.discipline = i;
  }
  return fields;
}

}  // namespace qsim::gui
