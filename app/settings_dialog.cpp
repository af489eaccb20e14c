#include "app/settings_dialog.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/accuracy_page.h"
#include "app/gui_text.h"
#include "app/object_names.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

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
      tabs_(Named(new QTabBar(this), "TabControl1")) {
  setObjectName(QLatin1String(names::kSettingsDialog));
  setWindowTitle(QStringLiteral("Параметры моделирования"));
  tabs_->addTab(QStringLiteral("Параметры моделирования"));
  tabs_->addTab(QStringLiteral("Отчет"));
  tabs_->addTab(QStringLiteral("Файл протокола"));
  tabs_->addTab(QStringLiteral("Точность"));
  accuracy_page_ = new AccuracyPage;
  auto* pages = new QGridLayout;
  for (QGroupBox* page : {BuildRunPage(), BuildReportPage(), BuildProtocolPage(),
                          static_cast<QGroupBox*>(accuracy_page_)})
    pages->addWidget(page, 0, 0);
  auto* ok_button = Named(new QPushButton(QStringLiteral("OK")), "Button1");
  ok_button->setDefault(true);
  connect(ok_button, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel_button = Named(new QPushButton(QStringLiteral("Отмена")), "CancelButton");
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button);
  buttons->addWidget(cancel_button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(pages);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The pages share one place, so each is as large as the largest.
  const QList<QGroupBox*> all_pages{run_page_, report_page_, protocol_page_, accuracy_page_};
  QSize largest;
  for (QGroupBox* page : all_pages)
    largest = largest.expandedTo(page->sizeHint());
  for (QGroupBox* page : all_pages)
    page->setMinimumSize(largest);
  ConnectRules();
  ApplyAllRules();
  ShowFirstPage();
}

QGroupBox* SettingsDialog::BuildRunPage() {
  QGridLayout* grid = nullptr;
  run_page_ = NewGroupBox("GroupBox3", grid);
  by_count_button_ =
      Named(new QRadioButton(QStringLiteral("Генерировать заявок :")), "RadioButton1");
  by_time_button_ = Named(
      new QRadioButton(QStringLiteral("Имитировать систему до момента времени :")), "RadioButton2");
  by_count_button_->setChecked(true);
  simulate_edit_ = NewEdit("Edit3");
  end_time_edit_ = NewEdit("Edit5");
  check_model_box_ = NewCheckBox(
      "CheckBox9", QStringLiteral("Проверить модель перед началом моделирования"), true);
  auto* separator = Named(new QFrame, "Bevel1");
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  process_all_box_ = NewCheckBox("CheckBox8", QStringLiteral("Система без отказов"), false);
  retry_label_ =
      Named(new QLabel(QStringLiteral("Интервал между попытками входа в очередь : ")), "Label4");
  retry_edit_ = NewEdit("Edit4");
  auto* event_limit_label =
      Named(new QLabel(QStringLiteral("Предельное число событий :")), "EventLimitLabel");
  event_limit_edit_ = NewEdit("EventLimitEdit");
  grid->addWidget(by_count_button_, 0, 0);
  grid->addWidget(simulate_edit_, 0, 1);
  grid->addWidget(by_time_button_, 1, 0);
  grid->addWidget(end_time_edit_, 1, 1);
  grid->addWidget(check_model_box_, 2, 0, 1, 2);
  grid->addWidget(separator, 3, 0, 1, 2);
  grid->addWidget(process_all_box_, 4, 0, 1, 2);
  grid->addWidget(retry_label_, 5, 0);
  grid->addWidget(retry_edit_, 5, 1);
  grid->addWidget(event_limit_label, 6, 0);
  grid->addWidget(event_limit_edit_, 6, 1);
  return run_page_;
}

QGroupBox* SettingsDialog::BuildReportPage() {
  QGridLayout* grid = nullptr;
  report_page_ = NewGroupBox("GroupBox1", grid);
  report_input_box_ =
      NewCheckBox("CheckBox3", QStringLiteral("Включить в отчет исходные данные"), true);
  report_picture_box_ =
      NewCheckBox("CheckBox7", QStringLiteral("Включить в отчет изображение модели"), false);
  report_name_label_ = Named(new QLabel(QStringLiteral("Имя файла отчета :")), "Label1");
  report_name_edit_ = NewEdit("Edit1");
  report_name_auto_box_ = NewCheckBox("CheckBox1", QStringLiteral("Задать автоматически"), true);
  report_open_box_ = NewCheckBox(
      "CheckBox5", QStringLiteral("Просмотреть файл отчета после окончания моделирования"), true);
  grid->addWidget(report_input_box_, 0, 0, 1, 3);
  grid->addWidget(report_picture_box_, 1, 0, 1, 3);
  grid->addWidget(report_name_label_, 2, 0);
  grid->addWidget(report_name_edit_, 2, 1);
  grid->addWidget(report_name_auto_box_, 2, 2);
  grid->addWidget(report_open_box_, 3, 0, 1, 3);
  return report_page_;
}

QGroupBox* SettingsDialog::BuildProtocolPage() {
  QGridLayout* grid = nullptr;
  protocol_page_ = NewGroupBox("GroupBox2", grid);
  protocol_box_ =
      NewCheckBox("CheckBox2", QStringLiteral("Подробный протокол в текстовый файл"), false);
  protocol_name_label_ = Named(new QLabel(QStringLiteral("Имя файла :")), "Label2");
  protocol_name_edit_ = NewEdit("Edit2");
  protocol_name_auto_box_ = NewCheckBox("CheckBox4", QStringLiteral("Задать автоматически"), true);
  protocol_open_box_ = NewCheckBox(
      "CheckBox6", QStringLiteral("Просмотреть файл протокола после окончания моделирования"),
      false);
  grid->addWidget(protocol_box_, 0, 0, 1, 3);
  grid->addWidget(protocol_name_label_, 1, 0);
  grid->addWidget(protocol_name_edit_, 1, 1);
  grid->addWidget(protocol_name_auto_box_, 1, 2);
  grid->addWidget(protocol_open_box_, 2, 0, 1, 3);
  return protocol_page_;
}

void SettingsDialog::ConnectRules() {
  connect(tabs_, &QTabBar::currentChanged, this, &SettingsDialog::ShowPage);
  connect(report_name_auto_box_, &QCheckBox::toggled, this, &SettingsDialog::ApplyReportNameRule);
  connect(protocol_box_, &QCheckBox::toggled, this, &SettingsDialog::ApplyProtocolRule);
  connect(protocol_name_auto_box_, &QCheckBox::toggled, this,
          &SettingsDialog::ApplyProtocolNameRule);
  connect(process_all_box_, &QCheckBox::toggled, this, &SettingsDialog::ApplyRetryRule);
  connect(by_count_button_, &QRadioButton::toggled, this, &SettingsDialog::ApplyCountStopRule);
  connect(by_time_button_, &QRadioButton::toggled, this, &SettingsDialog::ApplyTimeStopRule);
}

void SettingsDialog::ApplyAllRules() {
  ApplyReportNameRule();
  ApplyProtocolRule();
  ApplyRetryRule();
  ApplyCountStopRule();
  ApplyTimeStopRule();
}

void SettingsDialog::Fill(const RunSettings& settings, const NumberFormat& format) {
  simulate_edit_->setText(QString::number(settings.simulate));
  process_all_box_->setChecked(settings.process_all);
  retry_edit_->setText(EditNumber(settings.retry_interval, format));
  end_time_edit_->setText(EditNumber(settings.end_time, format));
  (settings.by_time ? by_time_button_ : by_count_button_)->setChecked(true);
  simulate_edit_->setEnabled(!settings.by_time);
  end_time_edit_->setEnabled(settings.by_time);
  FillOptions(settings);
  accuracy_page_->Fill(settings.accuracy, format);
}

void SettingsDialog::FillOptions(const RunSettings& settings) {
  check_model_box_->setChecked(settings.check_model);
  report_input_box_->setChecked(settings.report_include_input);
  report_picture_box_->setChecked(settings.report_include_picture);
  report_name_auto_box_->setChecked(settings.report_name_auto);
  report_name_edit_->setText(QFile::decodeName(settings.report_file_name.c_str()));
  report_open_box_->setChecked(settings.report_open_after);
  protocol_box_->setChecked(settings.protocol_enabled);
  protocol_name_auto_box_->setChecked(settings.protocol_name_auto);
  protocol_name_edit_->setText(QFile::decodeName(settings.protocol_file_name.c_str()));
  protocol_open_box_->setChecked(settings.protocol_open_after);
  event_limit_edit_->setText(QString::number(settings.max_events));
}

void SettingsDialog::CopyOptions(RunSettings& settings) const {
  settings.check_model = check_model_box_->isChecked();
  settings.report_include_input = report_input_box_->isChecked();
  settings.report_include_picture = report_picture_box_->isChecked();
  settings.report_name_auto = report_name_auto_box_->isChecked();
  settings.report_file_name = QFile::encodeName(report_name_edit_->text()).toStdString();
  settings.report_open_after = report_open_box_->isChecked();
  settings.protocol_enabled = protocol_box_->isChecked();
  settings.protocol_name_auto = protocol_name_auto_box_->isChecked();
  settings.protocol_file_name = QFile::encodeName(protocol_name_edit_->text()).toStdString();
  settings.protocol_open_after = protocol_open_box_->isChecked();
}

void SettingsDialog::CopyRunSettings(RunSettings& settings, const NumberFormat& format) const {
  settings.simulate = ParseInteger(ToCp1251(simulate_edit_->text()));
  settings.process_all = process_all_box_->isChecked();
  settings.by_time = by_time_button_->isChecked();
  settings.end_time = ParseReal(ToCp1251(end_time_edit_->text()), format);
  settings.retry_interval = ParseReal(ToCp1251(retry_edit_->text()), format);
  const std::int32_t max_events = ParseInteger(ToCp1251(event_limit_edit_->text()));
  if (max_events < 1)
    throw QsimError(std::string("Предельное число событий должно быть не меньше 1"_cp));
  settings.max_events = max_events;
}

void SettingsDialog::CopyAccuracy(RunSettings& settings, const NumberFormat& format) const {
  accuracy_page_->Copy(settings.accuracy, format);
}

void SettingsDialog::ShowFirstPage() {
  tabs_->setCurrentIndex(0);
  ShowPage(0);
}

void SettingsDialog::ShowPage(int index) {
  if (index < 0 || index > 3)
    return;
  run_page_->setVisible(index == 0);
  report_page_->setVisible(index == 1);
  protocol_page_->setVisible(index == 2);
  accuracy_page_->setVisible(index == 3);
}

void SettingsDialog::ApplyReportNameRule() {
  report_name_label_->setEnabled(!report_name_auto_box_->isChecked());
  report_name_edit_->setEnabled(!report_name_auto_box_->isChecked());
}

void SettingsDialog::ApplyProtocolRule() {
  protocol_name_auto_box_->setEnabled(protocol_box_->isChecked());
  protocol_open_box_->setEnabled(protocol_box_->isChecked());
  ApplyProtocolNameRule();
}

void SettingsDialog::ApplyProtocolNameRule() {
  const bool by_name = protocol_box_->isChecked() && !protocol_name_auto_box_->isChecked();
  protocol_name_label_->setEnabled(by_name);
  protocol_name_edit_->setEnabled(by_name);
}

void SettingsDialog::ApplyRetryRule() {
  retry_label_->setEnabled(process_all_box_->isChecked());
  retry_edit_->setEnabled(process_all_box_->isChecked());
}

void SettingsDialog::ApplyCountStopRule() {
  if (!by_count_button_->isChecked())
    return;
  simulate_edit_->setEnabled(true);
  end_time_edit_->setEnabled(false);
}

void SettingsDialog::ApplyTimeStopRule() {
  if (!by_time_button_->isChecked())
    return;
  end_time_edit_->setEnabled(true);
  simulate_edit_->setEnabled(false);
}

void SettingsDialog::showEvent(QShowEvent* event) {
  ShowFirstPage();
  QDialog::showEvent(event);
}

}  // namespace qsim::gui
