#include "app/device_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui_text.h"

namespace qsim::gui {

DeviceDialog::DeviceDialog(QWidget* parent)
    : ElementDialog("TForm5", QSize(233, 137), QPoint(211, 178), parent),
      edit1_(AddEdit("Edit1", QPoint(168, 0), 65)),
      edit2_(AddEdit("Edit2", QPoint(168, 24), 65)),
      combo_box1_(AddDistributionList(QPoint(112, 48), 121)),
      edit4_(AddEdit("Edit4", QPoint(168, 72), 65)),
      edit5_(AddEdit("Edit5", QPoint(88, 96), 145)) {
  AddLabel(QStringLiteral("Среднее время обслуживания :"), 0);
  AddLabel(QStringLiteral("Дисперсия :"), 24);
  AddLabel(QStringLiteral("Распределение :"), 48);
  AddLabel(QStringLiteral("Число каналов обслуживания :"), 72);
  AddLabel(QStringLiteral("Наименование :"), 96);
  QPushButton* button1 = AddButton1(QStringLiteral("ОК"), QRect(168, 120, 65, 17));
  setTabOrder(edit1_, edit2_);
  setTabOrder(edit2_, edit4_);
  setTabOrder(edit4_, button1);
  setTabOrder(button1, edit5_);
  setTabOrder(edit5_, combo_box1_);
}

void DeviceDialog::Fill(const QString& caption, const DeviceFields& fields) {
  setWindowTitle(caption);
  edit1_->setText(FromCp1251(fields.v));
  edit2_->setText(FromCp1251(fields.disp));
  ChoosePosition(*combo_box1_, fields.distribution);
  edit4_->setText(FromCp1251(fields.k));
  edit5_->setText(FromCp1251(fields.name));
}

DeviceFields DeviceDialog::Fields() const {
  return {ToCp1251(edit1_->text()), ToCp1251(edit2_->text()), ChosenPosition(*combo_box1_),
          ToCp1251(edit4_->text()), ToCp1251(edit5_->text())};
}

}  // namespace qsim::gui
