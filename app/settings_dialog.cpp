#include "app/settings_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/gui_text.h"

namespace qsim::gui {
namespace {

constexpr int kEditWidth = 89;

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QCheckBox* NewCheckBox(const char* name, const QString& caption, bool checked) {
  auto* box = Named(new QCheckBox(caption), name);
  box->setChecked(checked);
  return box;
}

QLineEdit* NewEdit(const char* name) {
  auto* edit = Named(new QLineEdit, name);
  edit->setFixedWidth(kEditWidth);
  return edit;
}

QGroupBox* NewGroupBox(const char* name, QGridLayout*& grid) {
  auto* box = Named(new QGroupBox, name);
  grid = new QGridLayout(box);
  return box;
}

QString EditNumber(double value, const NumberFormat& format) {
  return FromCp1251(NumberText(value, format));
}

}  // namespace

SettingsDialog::SettingsDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      tab_control1_(Named(new QTabBar(this), "TabControl1")) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Параметры моделирования"));
  tab_control1_->addTab(QStringLiteral("Параметры моделирования"));
  tab_control1_->addTab(QStringLiteral("Отчет"));
  tab_control1_->addTab(QStringLiteral("Файл протокола"));
  auto* pages = new QGridLayout;
  for (QGroupBox* page : {BuildRunPage(), BuildReportPage(), BuildProtocolPage()})
    pages->addWidget(page, 0, 0);
  auto* button1 = Named(new QPushButton(QStringLiteral("OK")), "Button1");
  button1->setDefault(true);
  connect(button1, &QPushButton::clicked, this, &SettingsDialog::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tab_control1_);
  layout->addLayout(pages);
  layout->addWidget(button1, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The pages share one place, so each is as large as the largest.
  QSize largest;
  for (QGroupBox* page : {group_box3_, group_box1_, group_box2_})
    largest = largest.expandedTo(page->sizeHint());
  for (QGroupBox* page : {group_box3_, group_box1_, group_box2_})
    page->setMinimumSize(largest);
  ConnectRules();
  ApplyAllRules();
  FormActivate();
}

QGroupBox* SettingsDialog::BuildRunPage() {
  QGridLayout* grid = nullptr;
  group_box3_ = NewGroupBox("GroupBox3", grid);
  radio_button1_ = Named(new QRadioButton(QStringLiteral("Генерировать заявок :")), "RadioButton1");
  radio_button2_ = Named(
      new QRadioButton(QStringLiteral("Имитировать систему до момента времени :")), "RadioButton2");
  radio_button1_->setChecked(true);
  edit3_ = NewEdit("Edit3");
  edit5_ = NewEdit("Edit5");
  check_box9_ = NewCheckBox("CheckBox9",
                            QStringLiteral("Проверить модель перед началом моделирования"), true);
  auto* bevel1 = Named(new QFrame, "Bevel1");
  bevel1->setFrameShape(QFrame::HLine);
  bevel1->setFrameShadow(QFrame::Sunken);
  check_box8_ = NewCheckBox("CheckBox8", QStringLiteral("Система без отказов"), false);
  label4_ =
      Named(new QLabel(QStringLiteral("Интервал между попытками входа в очередь : ")), "Label4");
  edit4_ = NewEdit("Edit4");
  grid->addWidget(radio_button1_, 0, 0);
  grid->addWidget(edit3_, 0, 1);
  grid->addWidget(radio_button2_, 1, 0);
  grid->addWidget(edit5_, 1, 1);
  grid->addWidget(check_box9_, 2, 0, 1, 2);
  grid->addWidget(bevel1, 3, 0, 1, 2);
  grid->addWidget(check_box8_, 4, 0, 1, 2);
  grid->addWidget(label4_, 5, 0);
  grid->addWidget(edit4_, 5, 1);
  return group_box3_;
}

QGroupBox* SettingsDialog::BuildReportPage() {
  QGridLayout* grid = nullptr;
  group_box1_ = NewGroupBox("GroupBox1", grid);
  check_box3_ = NewCheckBox("CheckBox3", QStringLiteral("Включить в отчет исходные данные"), true);
  check_box7_ =
      NewCheckBox("CheckBox7", QStringLiteral("Включить в отчет изображение модели"), false);
  label1_ = Named(new QLabel(QStringLiteral("Имя файла отчета :")), "Label1");
  edit1_ = NewEdit("Edit1");
  check_box1_ = NewCheckBox("CheckBox1", QStringLiteral("Задать автоматически"), true);
  check_box5_ = NewCheckBox(
      "CheckBox5", QStringLiteral("Просмотреть файл отчета после окончания моделирования"), true);
  grid->addWidget(check_box3_, 0, 0, 1, 3);
  grid->addWidget(check_box7_, 1, 0, 1, 3);
  grid->addWidget(label1_, 2, 0);
  grid->addWidget(edit1_, 2, 1);
  grid->addWidget(check_box1_, 2, 2);
  grid->addWidget(check_box5_, 3, 0, 1, 3);
  return group_box1_;
}

QGroupBox* SettingsDialog::BuildProtocolPage() {
  QGridLayout* grid = nullptr;
  group_box2_ = NewGroupBox("GroupBox2", grid);
  check_box2_ =
      NewCheckBox("CheckBox2", QStringLiteral("Подробный протокол в текстовый файл"), false);
  label2_ = Named(new QLabel(QStringLiteral("Имя файла :")), "Label2");
  edit2_ = NewEdit("Edit2");
  check_box4_ = NewCheckBox("CheckBox4", QStringLiteral("Задать автоматически"), true);
  check_box6_ = NewCheckBox(
      "CheckBox6", QStringLiteral("Просмотреть файл протокола после окончания моделирования"),
      false);
  grid->addWidget(check_box2_, 0, 0, 1, 3);
  grid->addWidget(label2_, 1, 0);
  grid->addWidget(edit2_, 1, 1);
  grid->addWidget(check_box4_, 1, 2);
  grid->addWidget(check_box6_, 2, 0, 1, 3);
  return group_box2_;
}

void SettingsDialog::ConnectRules() {
  connect(tab_control1_, &QTabBar::currentChanged, this, &SettingsDialog::TabControl1Change);
  connect(check_box1_, &QCheckBox::toggled, this, &SettingsDialog::CheckBox1Click);
  connect(check_box2_, &QCheckBox::toggled, this, &SettingsDialog::CheckBox2Click);
  connect(check_box4_, &QCheckBox::toggled, this, &SettingsDialog::CheckBox4Click);
  connect(check_box8_, &QCheckBox::toggled, this, &SettingsDialog::CheckBox8Click);
  connect(radio_button1_, &QRadioButton::toggled, this, &SettingsDialog::RadioButton1Click);
  connect(radio_button2_, &QRadioButton::toggled, this, &SettingsDialog::RadioButton2Click);
}

void SettingsDialog::ApplyAllRules() {
  CheckBox1Click();
  CheckBox2Click();
  CheckBox8Click();
  RadioButton1Click();
  RadioButton2Click();
}

void SettingsDialog::Fill(const RunSettings& settings, const NumberFormat& format) {
  edit3_->setText(QString::number(settings.simulate));
  check_box8_->setChecked(settings.process_all);
  edit4_->setText(EditNumber(settings.retry_interval, format));
  edit5_->setText(EditNumber(settings.end_time, format));
  (settings.by_time ? radio_button2_ : radio_button1_)->setChecked(true);
  edit3_->setEnabled(!settings.by_time);
  edit5_->setEnabled(settings.by_time);
}

void SettingsDialog::CopyOptions(RunSettings& settings) const {
  settings.check_model = check_box9_->isChecked();
  settings.report_include_input = check_box3_->isChecked();
  settings.report_include_picture = check_box7_->isChecked();
  settings.report_name_auto = check_box1_->isChecked();
  settings.report_file_name = ToCp1251(edit1_->text());
  settings.report_open_after = check_box5_->isChecked();
  settings.protocol_enabled = check_box2_->isChecked();
  settings.protocol_name_auto = check_box4_->isChecked();
  settings.protocol_file_name = ToCp1251(edit2_->text());
  settings.protocol_open_after = check_box6_->isChecked();
}

void SettingsDialog::CopyRunSettings(RunSettings& settings, const NumberFormat& format) const {
  settings.simulate = ParseInteger(ToCp1251(edit3_->text()));
  settings.process_all = check_box8_->isChecked();
  settings.by_time = radio_button2_->isChecked();
  settings.end_time = ParseReal(ToCp1251(edit5_->text()), format);
  settings.retry_interval = ParseReal(ToCp1251(edit4_->text()), format);
}

void SettingsDialog::FormActivate() {
  tab_control1_->setCurrentIndex(0);
  TabControl1Change(0);
}

void SettingsDialog::TabControl1Change(int index) {
  if (index < 0 || index > 2)
    return;
  group_box3_->setVisible(index == 0);
  group_box1_->setVisible(index == 1);
  group_box2_->setVisible(index == 2);
}

void SettingsDialog::CheckBox1Click() {
  label1_->setEnabled(!check_box1_->isChecked());
  edit1_->setEnabled(!check_box1_->isChecked());
}

void SettingsDialog::CheckBox2Click() {
  check_box4_->setEnabled(check_box2_->isChecked());
  check_box6_->setEnabled(check_box2_->isChecked());
  CheckBox4Click();
}

void SettingsDialog::CheckBox4Click() {
  const bool by_name = check_box2_->isChecked() && !check_box4_->isChecked();
  label2_->setEnabled(by_name);
  edit2_->setEnabled(by_name);
}

void SettingsDialog::CheckBox8Click() {
  label4_->setEnabled(check_box8_->isChecked());
  edit4_->setEnabled(check_box8_->isChecked());
}

void SettingsDialog::RadioButton1Click() {
  if (!radio_button1_->isChecked())
    return;
  edit3_->setEnabled(true);
  edit5_->setEnabled(false);
}

void SettingsDialog::RadioButton2Click() {
  if (!radio_button2_->isChecked())
    return;
  edit5_->setEnabled(true);
  edit3_->setEnabled(false);
}

void SettingsDialog::Button1Click() {
  accept();
}

void SettingsDialog::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

}  // namespace qsim::gui
