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

// The simulation settings: the stop rule, refusals and the model check (first
// tab), the report (second) and the protocol file (third). The dialog lives as
// long as the program, so its options keep their values between openings; the
// five run settings of the model are filled in anew at every opening. It has no
// cancel: however it is closed, the caller takes what the controls hold. The
// enabling rules hold at every moment, also when the program sets a control.
class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SettingsDialog(QWidget* parent);

  // Shows the run settings that belong to the model.
  void Fill(const RunSettings& settings, const NumberFormat& format);
  // Copies the dialog's options (check, report, protocol) into `settings`.
  void CopyOptions(RunSettings& settings) const;
  // Copies the run settings back in the order simulate, process_all, by_time,
  // end_time, retry_interval, whether their fields are enabled or not. Throws
  // QsimError at the first field that does not convert; the fields before it are
  // copied, the others keep their values.
  void CopyRunSettings(RunSettings& settings, const NumberFormat& format) const;

 public Q_SLOTS:
  void FormActivate();
  void TabControl1Change(int index);
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox4Click();
  void CheckBox8Click();
  void RadioButton1Click();
  void RadioButton2Click();
  void Button1Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QGroupBox* BuildRunPage();
  QGroupBox* BuildReportPage();
  QGroupBox* BuildProtocolPage();
  void ConnectRules();
  void ApplyAllRules();

  QTabBar* tab_control1_;
  QGroupBox* group_box3_ = nullptr;
  QGroupBox* group_box1_ = nullptr;
  QGroupBox* group_box2_ = nullptr;
  // First tab.
  QRadioButton* radio_button1_ = nullptr;
  QRadioButton* radio_button2_ = nullptr;
  QLineEdit* edit3_ = nullptr;
  QLineEdit* edit5_ = nullptr;
  QCheckBox* check_box9_ = nullptr;
  QCheckBox* check_box8_ = nullptr;
  QLabel* label4_ = nullptr;
  QLineEdit* edit4_ = nullptr;
  // Second tab.
  QCheckBox* check_box3_ = nullptr;
  QCheckBox* check_box7_ = nullptr;
  QLabel* label1_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QCheckBox* check_box1_ = nullptr;
  QCheckBox* check_box5_ = nullptr;
  // Third tab.
  QCheckBox* check_box2_ = nullptr;
  QLabel* label2_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QCheckBox* check_box4_ = nullptr;
  QCheckBox* check_box6_ = nullptr;
};

}  // namespace qsim::gui
