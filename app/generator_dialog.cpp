#include "app/generator_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui_text.h"

namespace qsim::gui {

GeneratorDialog::GeneratorDialog(QWidget* parent)
    : ElementDialog("TForm3", QSize(241, 145), QPoint(259, 225), parent),
      edit1_(AddEdit("Edit1", QPoint(168, 0), 73)),
      combo_box1_(AddDistributionList(QPoint(120, 24), 121)),
      edit3_(AddEdit("Edit3", QPoint(168, 48), 73)),
      edit4_(AddEdit("Edit4", QPoint(168, 72), 73)),
      edit5_(AddEdit("Edit5", QPoint(88, 96), 153)) {
  AddLabel(QStringLiteral("Интенсивность потока заявок :"), 0);
  AddLabel(QStringLiteral("Распределение :"), 24);
  AddLabel(QStringLiteral("Дисперсия потока заявок :"), 48);
  AddLabel(QStringLiteral("Уровень приоритета заявок :"), 72);
  AddLabel(QStringLiteral("Наименование :"), 96);
  QPushButton* button1 = AddButton1(QStringLiteral("ОК"), QRect(168, 128, 73, 17));
  setTabOrder(edit1_, edit3_);
  setTabOrder(edit3_, edit4_);
  setTabOrder(edit4_, edit5_);
  setTabOrder(edit5_, button1);
  setTabOrder(button1, combo_box1_);
}

void GeneratorDialog::Fill(const QString& caption, const GeneratorFields& fields) {
  setWindowTitle(caption);
  edit1_->setText(FromCp1251(fields.la));
  ChoosePosition(*combo_box1_, fields.distribution);
  edit3_->setText(FromCp1251(fields.disp));
  edit4_->setText(FromCp1251(fields.prior));
  edit5_->setText(FromCp1251(fields.name));
}

GeneratorFields GeneratorDialog::Fields() const {
  return {ToCp1251(edit1_->text()), ChosenPosition(*combo_box1_), ToCp1251(edit3_->text()),
          ToCp1251(edit4_->text()), ToCp1251(edit5_->text())};
}

}  // namespace qsim::gui
