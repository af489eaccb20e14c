#include "app/sweep_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

#include "app/error_box.h"
#include "app/gui_text.h"
#include "app/progress_dialog.h"
#include "app/sweep_results_window.h"
#include "app/sweep_runner.h"
#include "app/window_titles.h"
#include "foundation/qsim_error.h"

namespace qsim::gui {
namespace {

// Replications beyond this would keep a series running for hours.
constexpr int kMaxReplications = 1000;

template <typename Widget>
Widget* Placed(Widget* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

// A label as wide as its text needs, at least `where`'s width, so that no font
// clips it.
QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, QRect where) {
  auto* label = new QLabel(caption, parent);
  const int width = std::max(where.width(), label->sizeHint().width());
  return Placed(label, name, where.left(), where.top(), width, where.height());
}

}  // namespace

SweepDialog::SweepDialog(ModelStore& store, const NumberFormat& format, QWidget* parent)
    : QDialog(parent), store_(store), format_(format), progress_(new RunProgressDialog(this)) {
  setObjectName(QStringLiteral("TForm10"));
  setWindowTitle(QStringLiteral("Расчет по изменяемым параметрам"));
  setFixedSize(696, 480);
  // The positions leave room for the labels' texts in a small font only.
  QFont small = font();
  small.setPixelSize(10);
  setFont(small);
  BuildRangeControls();
  BuildRunControls();
}

void SweepDialog::BuildRangeControls() {
  auto* box = Placed(new QGroupBox(QStringLiteral("Изменяемые параметры"), this), "GroupBox1", 8, 8,
                     465, 233);
  parameter_list_ = Placed(new QComboBox(box), "ComboBox1", 8, 24, 449, 21);
  parameter_list_->setEditable(true);
  parameter_list_->setInsertPolicy(QComboBox::NoInsert);
  connect(parameter_list_, &QComboBox::currentIndexChanged, this,
          &SweepDialog::ShowChosenParameter);
  NewLabel(box, "Label1", QStringLiteral("Начальное значение : "), {8, 56, 114, 13});
  start_edit_ = Placed(new QLineEdit(box), "Edit1", 128, 56, 57, 21);
  start_edit_->setReadOnly(true);
  NewLabel(box, "Label2", QStringLiteral("Конечное значение :"), {192, 56, 104, 13});
  end_edit_ = Placed(new QLineEdit(box), "Edit2", 304, 56, 57, 21);
  auto* add_button =
      Placed(new QPushButton(QStringLiteral("Добавить"), box), "Button1", 376, 56, 81, 25);
  connect(add_button, &QPushButton::clicked, this, &SweepDialog::AddRange);
  range_list_ = Placed(new QListWidget(box), "ListBox1", 8, 96, 449, 97);
  NewLabel(box, "Label3", QStringLiteral("Число шагов : "), {8, 208, 75, 13});
  step_count_edit_ = Placed(new QLineEdit(QStringLiteral("10"), box), "Edit3", 88, 200, 73, 21);
  auto* clear_button =
      Placed(new QPushButton(QStringLiteral("Очистить"), box), "Button3", 360, 200, 97, 25);
  connect(clear_button, &QPushButton::clicked, this, &SweepDialog::ClearRanges);
}

// The runs per value sit between the two lower buttons, beside the one they serve.
void SweepDialog::BuildRunControls() {
  auto* cancel_button =
      Placed(new QPushButton(QStringLiteral("<< Отмена"), this), "Button2", 8, 248, 145, 25);
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);
  NewLabel(this, "Label4", QStringLiteral("Прогонов в точке :"), {160, 254, 100, 13});
  runs_per_value_ = Placed(new QSpinBox(this), "SpinEdit1", 262, 250, 51, 21);
  runs_per_value_->setRange(1, kMaxReplications);
  runs_per_value_->setValue(1);
  auto* run_button = Placed(new QPushButton(QStringLiteral("Произвести расчет >>"), this),
                            "Button4", 320, 248, 145, 25);
  connect(run_button, &QPushButton::clicked, this, &SweepDialog::RunListedRanges);
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
  try {
    const int index = parameter_list_->currentIndex();
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
  auto* results = new SweepResultsWindow(outcome, runs_per_value_->value() > 1, format_, this);
  results->show();
}

}  // namespace qsim::gui
