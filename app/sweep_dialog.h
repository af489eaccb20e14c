#pragma once

#include <QDialog>
#include <QString>

#include "commands/sweep_plan.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace qsim::gui {

class RunProgressDialog;
class SweepResultsWindow;

// The dialog that prepares and runs a series of runs over changing parameters:
// the user picks a parameter of an element, gives its end value, and adds the
// range, which the plan records and lists; "Произвести расчет >>"
// runs every listed range with the chosen number of runs per value and shows the
// results, which can be shown again until the next series. The list of ranges and
// the step count's lock last as long as the dialog; the parameter list is rebuilt
// from the store at each opening, and only its entries can be chosen. «Добавить»
// without a parameter or an end value says what is missing.
//
// Qt object names: `TForm10` the dialog; in `GroupBox1` the parameter list
// `ComboBox1`, the start value `Edit1` (`Label1`), the end value `Edit2`
// (`Label2`), `Button1` "Добавить", the ranges `ListBox1`, the step count `Edit3`
// (`Label3`) and `Button3` "Очистить"; below it `Button2` "<< Отмена", the runs
// per value `SpinEdit1` (`Label4`) and `Button4` "Произвести расчет >>".
//
// REQUIRES: `store` and `format` outlive the dialog, and nothing
// else changes the store while the dialog is shown.
class SweepDialog : public QDialog {
  Q_OBJECT

 public:
  // The results are saved into `reports_folder` unless the user chooses another.
  SweepDialog(const ModelStore& store, const NumberFormat& format, QString reports_folder,
              QWidget* parent = nullptr);

  const SweepPlan& plan() const { return plan_; }

 public Q_SLOTS:
  void RebuildParameterList();
  void ShowChosenParameter();
  void AddRange();         // "Добавить"
  void ClearRanges();      // "Очистить"
  void RunListedRanges();  // "Произвести расчет >>"
  // Shows the results of the last series again; false when none has been run.
  bool ShowLastResults();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QGroupBox* BuildRangeControls();
  QHBoxLayout* BuildRunControls();
  void RunSeries();

  const ModelStore& store_;
  const NumberFormat& format_;
  QString reports_folder_;
  SweepPlan plan_;

  QComboBox* parameter_list_ = nullptr;
  QLineEdit* start_edit_ = nullptr;
  QLineEdit* end_edit_ = nullptr;
  QLineEdit* step_count_edit_ = nullptr;
  QListWidget* range_list_ = nullptr;
  QSpinBox* runs_per_value_ = nullptr;
  RunProgressDialog* progress_;
  SweepResultsWindow* results_ = nullptr;  // of the last series; replaced by the next
};

}  // namespace qsim::gui
