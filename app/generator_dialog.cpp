#include "app/generator_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui_text.h"
#include "app/object_names.h"

namespace qsim::gui {

GeneratorDialog::GeneratorDialog(const NumberFormat& format, QWidget* parent)
    : ElementDialog(names::kGeneratorDialog, QSize(241, 145), parent),
      format_(format),
      intensity_edit_(AddEdit("Edit1", 73)),
      law_list_(AddDistributionList(121)),
      variance_edit_(AddEdit("Edit3", 73)),
      priority_edit_(AddEdit("Edit4", 73)),
      name_edit_(AddEdit("Edit5", 153)) {
  AddRow(QStringLiteral("Интенсивность потока заявок :"), intensity_edit_);
  AddRow(QStringLiteral("Распределение :"), law_list_);
  AddLawHint(law_list_, variance_edit_);
  AddRow(QStringLiteral("Дисперсия потока заявок :"), variance_edit_);
  AddRow(QStringLiteral("Уровень приоритета заявок :"), priority_edit_);
  AddRow(QStringLiteral("Наименование :"), name_edit_);
  QPushButton* ok_button = AddOkButton(QStringLiteral("ОК"), QSize(73, 17));
  setTabOrder(intensity_edit_, variance_edit_);
  setTabOrder(variance_edit_, priority_edit_);
  setTabOrder(priority_edit_, name_edit_);
  setTabOrder(name_edit_, ok_button);
  setTabOrder(ok_button, law_list_);
  setTabOrder(law_list_, AddCancelButton(QSize(73, 17)));
  FitToContents();
}

void GeneratorDialog::Fill(const QString& caption, const GeneratorFields& fields) {
  setWindowTitle(caption);
  intensity_edit_->setText(FromCp1251(fields.la));
  ChoosePosition(*law_list_, fields.distribution);
  variance_edit_->setText(FromCp1251(fields.disp));
  priority_edit_->setText(FromCp1251(fields.prior));
  name_edit_->setText(FromCp1251(fields.name));
}

GeneratorFields GeneratorDialog::Fields() const {
  return {ToCp1251(intensity_edit_->text()), law_list_->currentIndex(),
          ToCp1251(variance_edit_->text()), ToCp1251(priority_edit_->text()),
          ToCp1251(name_edit_->text())};
}

std::optional<ElementDialog::BadField> GeneratorDialog::FirstBadField() const {
  return BadFieldOf(FirstFault(Fields(), format_));
}

QWidget* GeneratorDialog::FieldWidget(DialogField field) const {
  switch (field) {
    case DialogField::La:
      return intensity_edit_;
    case DialogField::Rasp:
      return law_list_;
    case DialogField::Disp:
      return variance_edit_;
    default:
      return priority_edit_;
  }
}

}  // namespace qsim::gui
