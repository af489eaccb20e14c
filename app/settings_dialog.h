#pragma once

#include <QDialog>

#include "foundation/number_format.h"
#include "model/run_settings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabBar;

namespace qsim::gui {

class AccuracyPage;

// The simulation settings: the stop rule, refusals and the model check (first
// tab), the report (second), the protocol file (third) and the accuracy of the
// figures beyond the report's tables (fourth, AccuracyPage). Every opening shows
// the settings as they are; «OK» (accept) hands them back, «Отмена» or Escape
// (reject) leaves them as they were. The enabling rules hold at every moment, also
// when the program sets a control.
//
// Qt object names: `TForm2` the dialog, `TabControl1` the tabs over the pages
// `GroupBox3` (run), `GroupBox1` (report) and `GroupBox2` (protocol), `Button1`
// OK. Run page: `RadioButton1` and `Edit3` the request count, `RadioButton2` and
// `Edit5` the end time, `CheckBox9` the model check, `Bevel1`, `CheckBox8` no
// refusals with `Label4` and `Edit4` the retry interval, `EventLimitLabel` and
// `EventLimitEdit` the event limit. Report page:
// `CheckBox3` input data, `CheckBox7` picture, `Label1` and `Edit1` the file
// name, `CheckBox1` its automatic name, `CheckBox5` open after the run. Protocol
// page: `CheckBox2` the protocol, `Label2` and `Edit2` the file name, `CheckBox4`
// its automatic name, `CheckBox6` open after the run. `CancelButton` cancels.
class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SettingsDialog(QWidget* parent);

  // Shows the run settings that belong to the model and the options.
  void Fill(const RunSettings& settings, const NumberFormat& format);
  // Copies the dialog's options (check, report, protocol) into `settings`.
  void CopyOptions(RunSettings& settings) const;
  // Copies the run settings back in the order simulate, process_all, by_time,
  // end_time, retry_interval, whether their fields are enabled or not, then the
  // event limit. Throws QsimError at the first field that does not convert (an
  // event limit below 1 included); the fields before it are copied, the others
  // keep their values.
  void CopyRunSettings(RunSettings& settings, const NumberFormat& format) const;
  // Copies the accuracy page into settings.accuracy. Throws QsimError, with it
  // unchanged, for a number that does not convert or is out of its range.
  void CopyAccuracy(RunSettings& settings, const NumberFormat& format) const;

 public Q_SLOTS:
  // Every opening starts on the run page.
  void ShowFirstPage();
  void ShowPage(int index);
  // The enabling rules, one for each control that switches others.
  void ApplyReportNameRule();
  void ApplyProtocolRule();
  void ApplyProtocolNameRule();
  void ApplyRetryRule();
  void ApplyCountStopRule();
  void ApplyTimeStopRule();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QGroupBox* BuildRunPage();
  QGroupBox* BuildReportPage();
  QGroupBox* BuildProtocolPage();
  void ConnectRules();
  void ApplyAllRules();
  void FillOptions(const RunSettings& settings);

  QTabBar* tabs_;
  QGroupBox* run_page_ = nullptr;
  QGroupBox* report_page_ = nullptr;
  QGroupBox* protocol_page_ = nullptr;
  AccuracyPage* accuracy_page_ = nullptr;
  // First tab.
  QRadioButton* by_count_button_ = nullptr;
  QRadioButton* by_time_button_ = nullptr;
  QLineEdit* simulate_edit_ = nullptr;
  QLineEdit* end_time_edit_ = nullptr;
  QCheckBox* check_model_box_ = nullptr;
  QCheckBox* process_all_box_ = nullptr;
  QLabel* retry_label_ = nullptr;
  QLineEdit* retry_edit_ = nullptr;
  QLineEdit* event_limit_edit_ = nullptr;
  // Second tab.
  QCheckBox* report_input_box_ = nullptr;
  QCheckBox* report_picture_box_ = nullptr;
  QLabel* report_name_label_ = nullptr;
  QLineEdit* report_name_edit_ = nullptr;
  QCheckBox* report_name_auto_box_ = nullptr;
  QCheckBox* report_open_box_ = nullptr;
  // Third tab.
  QCheckBox* protocol_box_ = nullptr;
  QLabel* protocol_name_label_ = nullptr;
  QLineEdit* protocol_name_edit_ = nullptr;
  QCheckBox* protocol_name_auto_box_ = nullptr;
  QCheckBox* protocol_open_box_ = nullptr;
};

}  // namespace qsim::gui
