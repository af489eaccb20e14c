#pragma once

#include <QDialog>

#include "commands/sweep_plan.h"
#include "engine/simulation.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace qsim::gui {

class RunProgressDialog;

// The dialog that prepares and runs a series of runs over changing parameters:
// the user picks a parameter of an element, gives its end value, and adds the
// range, which is recorded in the element and listed; "Произвести расчет >>"
// runs every listed range with the chosen number of runs per value and shows the
// results. The list of ranges and the step count's lock last as long as the
// dialog; the parameter list is rebuilt from the store at each opening.
//
// REQUIRES: `store`, `simulation` and `format` outlive the dialog, and nothing
// else changes the store while the dialog is shown.
class SweepDialog : public QDialog {
  Q_OBJECT

 public:
  SweepDialog(ModelStore& store, Simulation& simulation, const NumberFormat& format,
              QWidget* parent = nullptr);

 public Q_SLOTS:
  void FormActivate();
  void ComboBox1Change();
  void Button1Click();  // "Добавить"
  void Button2Click();  // "<< Отмена"
  void Button3Click();  // "Очистить"
  void Button4Click();  // "Произвести расчет >>"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildGroupBox1();
  void BuildRunControls();
  void RunSeries();

  ModelStore& store_;
  Simulation& simulation_;
  const NumberFormat& format_;
  SweepPlan plan_;

  QComboBox* combo_box1_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QLineEdit* edit3_ = nullptr;
  QListWidget* list_box1_ = nullptr;
  QSpinBox* spin_edit1_ = nullptr;
  RunProgressDialog* progress_;
};

}  // namespace qsim::gui
