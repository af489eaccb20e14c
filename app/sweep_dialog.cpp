#include "app/sweep_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/error_box.h"
#include "app/gui_text.h"
#include "app/list_width.h"
#include "app/object_names.h"
#include "app/progress_dialog.h"
#include "app/sweep_results_window.h"
#include "app/sweep_runner.h"
#include "app/window_size.h"
#include "app/window_titles.h"
#include "foundation/qsim_error.h"

namespace qsim::gui {
namespace {

// Replications beyond this would keep a series running for hours.
constexpr int kMaxReplications = 1000;
constexpr int kLeastListWidth = 449;

template <typename Widget>
Widget* Named(Widget* widget, const char* name, QSize least) {
  widget->setObjectName(QLatin1String(name));
  widget->setMinimumSize(least);
  return widget;
}

QLabel* NewLabel(const char* name, const QString& caption) {
  auto* label = new QLabel(caption);
  label->setObjectName(QLatin1String(name));
  return label;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right) {
  auto* row = new QHBoxLayout;
  for (QWidget* widget : left)
    row->addWidget(widget);
  row->addStretch();
  for (QWidget* widget : right)
    row->addWidget(widget);
  return row;
}

}  // namespace

SweepDialog::SweepDialog(const ModelStore& store, const NumberFormat& format,
                         QString reports_folder, QWidget* parent)
    : QDialog(parent),
      store_(store),
      format_(format),
      reports_folder_(std::move(reports_folder)),
      progress_(new RunProgressDialog(this)) {
  setObjectName(QLatin1String(names::kSweepDialog));
  setWindowTitle(QStringLiteral("Расчет по изменяемым параметрам"));
  // The ranges take what room the window gives: their lines are long.
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildRangeControls(), 1);
  layout->addLayout(BuildRunControls());
  resize(OpeningSize(*this, QSize(696, 480)));
}

QGroupBox* SweepDialog::BuildRangeControls() {
  auto* box =
      Named(new QGroupBox(QStringLiteral("Изменяемые параметры")), "GroupBox1", QSize(465, 233));
  parameter_list_ = Named(new QComboBox, "ComboBox1", QSize(kLeastListWidth, 21));
  connect(parameter_list_, &QComboBox::currentIndexChanged, this,
          &SweepDialog::ShowChosenParameter);
  start_edit_ = Named(new QLineEdit, "Edit1", QSize(57, 21));
  start_edit_->setReadOnly(true);
  end_edit_ = Named(new QLineEdit, "Edit2", QSize(57, 21));
  auto* add_button = Named(new QPushButton(QStringLiteral("Добавить")), "Button1", QSize(81, 25));
  connect(add_button, &QPushButton::clicked, this, &SweepDialog::AddRange);
  range_list_ = Named(new QListWidget, "ListBox1", QSize(449, 97));
  step_count_edit_ = Named(new QLineEdit(QStringLiteral("10")), "Edit3", QSize(73, 21));
  auto* clear_button = Named(new QPushButton(QStringLiteral("Очистить")), "Button3", QSize(97, 25));
  connect(clear_button, &QPushButton::clicked, this, &SweepDialog::ClearRanges);
  auto* rows = new QVBoxLayout(box);
  rows->addWidget(parameter_list_);
  rows->addLayout(Row({NewLabel("Label1", QStringLiteral("Начальное значение : ")), start_edit_,
                       NewLabel("Label2", QStringLiteral("Конечное значение :")), end_edit_},
                      {add_button}));
  rows->addWidget(range_list_, 1);
  rows->addLayout(Row({NewLabel("Label3", QStringLiteral("Число шагов : ")), step_count_edit_},
                      {clear_button}));
  return box;
}

// The runs per value sit between the two lower buttons, beside the one they serve.
QHBoxLayout* SweepDialog::BuildRunControls() {
  auto* cancel_button =
      Named(new QPushButton(QStringLiteral("<< Отмена")), "Button2", QSize(145, 25));
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);
  runs_per_value_ = Named(new QSpinBox, "SpinEdit1", QSize(51, 21));
  runs_per_value_->setRange(1, kMaxReplications);
  runs_per_value_->setValue(1);
  auto* run_button =
      Named(new QPushButton(QStringLiteral("Произвести расчет >>")), "Button4", QSize(145, 25));
  connect(run_button, &QPushButton::clicked, this, &SweepDialog::RunListedRanges);
  return Row({cancel_button}, {NewLabel("Label4", QStringLiteral("Прогонов в точке :")),
                               runs_per_value_, run_button});
}

void SweepDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RebuildParameterList();
}

// Rebuilds the parameter list from the store; the edits and the ranges stay.
void SweepDialog::RebuildParameterList() {
  plan_.Rebuild(store_);
  const QSignalBlocker quiet(parameter_list_);
  parameter_list_->clear();
  for (const SweepEntry& entry : plan_.entries())
    parameter_list_->addItem(FromCp1251(entry.text));
  parameter_list_->setCurrentIndex(-1);
  // The dialog widens with the longest entry.
  FitListToItems(*parameter_list_, kLeastListWidth);
  step_count_edit_->setEnabled(!plan_.step_count_locked());
}

void SweepDialog::ShowChosenParameter() {
  const int index = parameter_list_->currentIndex();
  if (index < 0)
    return;
  const auto [start, end] = plan_.ShownValues(store_, index, format_);
  start_edit_->setText(FromCp1251(start));
  end_edit_->setText(FromCp1251(end));
}

void SweepDialog::AddRange() {
  const int index = parameter_list_->currentIndex();
  if (index < 0 || end_edit_->text().trimmed().isEmpty()) {
    QMessageBox box(QMessageBox::Information, ApplicationTitle(),
                    index < 0 ? QStringLiteral("Выберите параметр в списке.")
                              : QStringLiteral("Введите конечное значение параметра."),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("MissingRangeBox"));
    box.exec();
    return;
  }
  try {
    const auto line = plan_.Add(store_, index, ToCp1251(end_edit_->text()),
                                ToCp1251(step_count_edit_->text()), format_);
    step_count_edit_->setEnabled(!plan_.step_count_locked());
    if (line)
      range_list_->addItem(FromCp1251(*line));
  } catch (const QsimError& error) {
    ShowErrorBox(this, error);
  }
}

void SweepDialog::ClearRanges() {
  plan_.Clear(store_);
  range_list_->clear();
  step_count_edit_->setEnabled(true);
}

void SweepDialog::RunListedRanges() {
  if (plan_.ranges().empty()) {
    QMessageBox box(QMessageBox::Information, ApplicationTitle(),
                    QStringLiteral("Не добавлено ни одного диапазона параметров."), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("NoRangesBox"));
    box.exec();
    return;
  }
  try {
    RunSeries();
  } catch (const QsimError& error) {
    ShowErrorBox(this, error);
  }
}

// Each run of the series may take long, so the results open in a window of their
// own that stays after this dialog closes.
void SweepDialog::RunSeries() {
  const SweepOutcome outcome = RunSweepSeries(store_, plan_.ranges(), plan_.lines(),
                                              runs_per_value_->value(), format_, *progress_);
  if (outcome.series.empty())
    return;
  delete results_;
  results_ = new SweepResultsWindow(outcome, runs_per_value_->value() > 1, store_, format_,
                                    reports_folder_, this);
  results_->show();
}

bool SweepDialog::ShowLastResults() {
  if (results_ == nullptr)
    return false;
  results_->show();
  results_->raise();
  results_->activateWindow();
  return true;
}

}  // namespace qsim::gui
