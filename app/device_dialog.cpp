#include "app/device_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui_text.h"
#include "app/object_names.h"

namespace qsim::gui {

DeviceDialog::DeviceDialog(const NumberFormat& format, QWidget* parent)
    : ElementDialog(names::kDeviceDialog, QSize(233, 137), parent),
      format_(format),
      service_time_edit_(AddEdit("Edit1", 65)),
      variance_edit_(AddEdit("Edit2", 65)),
      law_list_(AddDistributionList(121)),
      channels_edit_(AddEdit("Edit4", 65)),
      name_edit_(AddEdit("Edit5", 145)) {
  AddRow(QStringLiteral("Среднее время обслуживания :"), service_time_edit_);
  AddRow(QStringLiteral("Дисперсия :"), variance_edit_);
  AddRow(QStringLiteral("Распределение :"), law_list_);
  AddLawHint(law_list_, variance_edit_);
  AddRow(QStringLiteral("Число каналов обслуживания :"), channels_edit_,
         QStringLiteral("от 1 до 50"), names::kChannelsRange);
  AddRow(QStringLiteral("Наименование :"), name_edit_);
  QPushButton* ok_button = AddOkButton(QStringLiteral("ОК"), QSize(65, 17));
  setTabOrder(service_time_edit_, variance_edit_);
  setTabOrder(variance_edit_, channels_edit_);
  setTabOrder(channels_edit_, ok_button);
  setTabOrder(ok_button, name_edit_);
  setTabOrder(name_edit_, law_list_);
  setTabOrder(law_list_, AddCancelButton(QSize(65, 17)));
  FitToContents();
}

void DeviceDialog::Fill(const QString& caption, const DeviceFields& fields) {
  setWindowTitle(caption);
  service_time_edit_->setText(FromCp1251(fields.v));
  variance_edit_->setText(FromCp1251(fields.disp));
  ChoosePosition(*law_list_, fields.distribution);
  channels_edit_->setText(FromCp1251(fields.k));
  name_edit_->setText(FromCp1251(fields.name));
}

DeviceFields DeviceDialog::Fields() const {
  return {ToCp1251(service_time_edit_->text()), ToCp1251(variance_edit_->text()),
          law_list_->currentIndex(), ToCp1251(channels_edit_->text()),
          ToCp1251(name_edit_->text())};
}

std::optional<ElementDialog::BadField> DeviceDialog::FirstBadField() const {
  return BadFieldOf(FirstFault(Fields(), format_));
}

QWidget* DeviceDialog::FieldWidget(DialogField field) const {
  switch (field) {
    case DialogField::V:
      return service_time_edit_;
    case DialogField::Disp:
      return variance_edit_;
    case DialogField::Rasp:
      return law_list_;
    default:
      return channels_edit_;
  }
}

}  // namespace qsim::gui
