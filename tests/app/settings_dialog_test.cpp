#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>

#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "gui_test_support.h"

namespace qsim::gui {
namespace {

template <typename Widget>
Widget* Control(QWidget* dialog, const char* name) {
  return dialog->findChild<Widget*>(QLatin1String(name));
}

bool IsOn(QWidget* dialog, const char* name) {
  return Control<QAbstractButton>(dialog, name)->isChecked();
}

bool IsEnabled(QWidget* dialog, const char* name) {
  return Control<QWidget>(dialog, name)->isEnabled();
}

QString EditText(QWidget* dialog, const char* name) {
  return Control<QLineEdit>(dialog, name)->text();
}

// Opens the settings dialog of `shown`, lets `act` look at it and change it, and
// closes it with OK; returns false when the dialog did not open.
bool WithSettings(const ShownMainWindow& shown, const std::function<void(SettingsDialog*)>& act) {
  bool opened = false;
  const auto watch = OnModal<SettingsDialog>([&](SettingsDialog* dialog) {
    opened = true;
    act(dialog);
    Control<QPushButton>(dialog, "Button1")->click();
  });
  shown.window->OpenSettingsDialog();
  return opened;
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The accuracy page: a precision and a confidence in per cent, the figures a
  // precision waits for, a fixed warm-up; «Отмена» keeps the settings and shows
  // them again; a value out of its range is refused and the settings stay.
  void theAccuracyPageSetsTheAccuracyOfTheFigures() {
    ShownMainWindow shown;
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QCOMPARE(Control<QTabBar>(d, "TabControl1")->tabText(3), QStringLiteral("Точность"));
      QVERIFY(!IsEnabled(d, "PrecisionEdit") && !IsEnabled(d, "WarmupTimeEdit"));
      QVERIFY(!IsEnabled(d, "MarkWaitBox"));
      Control<QComboBox>(d, "WarmupChoice")->setCurrentIndex(2);
      Control<QLineEdit>(d, "WarmupTimeEdit")->setText(QStringLiteral("12.5"));
      Control<QCheckBox>(d, "PrecisionBox")->click();
      Control<QLineEdit>(d, "PrecisionEdit")->setText(QStringLiteral("2.5"));
      Control<QCheckBox>(d, "MarkWaitBox")->click();
      Control<QCheckBox>(d, "MarkLengthBox")->click();
      Control<QLineEdit>(d, "ConfidenceEdit")->setText(QStringLiteral("90"));
    }));
    const AccuracySettings& accuracy = shown.window->store().settings.accuracy;
    QCOMPARE(accuracy.warmup, WarmupMethod::Fixed);
    QCOMPARE(accuracy.warmup_time, 12.5);
    QCOMPARE(accuracy.precision, 0.025);
    QVERIFY((accuracy.marks == PrecisionMarks{.mean_wait = false,
                                              .mean_length = true,
                                              .utilisation = true,
                                              .mean_time_in_system = false}));
    QCOMPARE(accuracy.confidence, 0.9);
    QVERIFY(!accuracy.seed);

    const AccuracySettings before = accuracy;
    const auto cancel = OnModal<SettingsDialog>([](SettingsDialog* d) {
      Control<QLineEdit>(d, "ConfidenceEdit")->setText(QStringLiteral("80"));
      Control<QCheckBox>(d, "PrecisionBox")->click();
      Control<QPushButton>(d, "CancelButton")->click();
    });
    shown.window->OpenSettingsDialog();
    QCOMPARE(accuracy.confidence, before.confidence);
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QCOMPARE(EditText(d, "ConfidenceEdit"), QStringLiteral("90"));
      QVERIFY(IsOn(d, "PrecisionBox") && IsOn(d, "MarkLengthBox") && !IsOn(d, "MarkWaitBox"));
    }));

    const struct {
      std::function<void(SettingsDialog*)> act;
      QString error;
    } refusals[] = {
        {[](SettingsDialog* d) {
           Control<QLineEdit>(d, "PrecisionEdit")->setText(QStringLiteral("150"));
         },
         QStringLiteral("Точность должна быть больше 0 и меньше 100 %.")},
        {[](SettingsDialog* d) {
           Control<QCheckBox>(d, "MarkLengthBox")->click();
           Control<QCheckBox>(d, "MarkUtilisationBox")->click();
         },
         QStringLiteral("Отметьте показатели, точности которых ждать при остановке.")},
    };
    for (const auto& refusal : refusals) {
      QString error;
      const auto box = OnModal<QMessageBox>([&](QMessageBox* seen) {
        error = seen->text();
        seen->accept();
      });
      WithSettings(shown, refusal.act);
      QTRY_COMPARE(error, refusal.error);
      QCOMPARE(shown.window->store().settings.accuracy.precision, 0.025);
      QVERIFY(shown.window->store().settings.accuracy.marks == before.marks);
    }
  }

  void optionsStartWithTheirDefaults() {
    ShownMainWindow shown;
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("Параметры моделирования"));
      QVERIFY(IsOn(d, "RadioButton1") && !IsOn(d, "RadioButton2"));
      QVERIFY(IsEnabled(d, "Edit3") && !IsEnabled(d, "Edit5"));
      QVERIFY(IsOn(d, "CheckBox9") && !IsOn(d, "CheckBox8"));
      QVERIFY(!IsEnabled(d, "Label4") && !IsEnabled(d, "Edit4"));
      QVERIFY(IsOn(d, "CheckBox3") && !IsOn(d, "CheckBox7") && IsOn(d, "CheckBox1"));
      QVERIFY(IsOn(d, "CheckBox5"));
      QVERIFY(!IsEnabled(d, "Label1") && !IsEnabled(d, "Edit1"));
      QVERIFY(!IsOn(d, "CheckBox2") && IsOn(d, "CheckBox4") && !IsOn(d, "CheckBox6"));
      QVERIFY(!IsEnabled(d, "CheckBox4") && !IsEnabled(d, "CheckBox6"));
      QVERIFY(!IsEnabled(d, "Label2") && !IsEnabled(d, "Edit2"));
      QCOMPARE(EditText(d, "Edit3"), QStringLiteral("0"));
    }));
    const RunSettings& settings = shown.window->store().settings;
    QVERIFY(settings.check_model && settings.report_include_input && settings.report_open_after);
    QVERIFY(!settings.report_include_picture && !settings.protocol_enabled);
  }

  void aTimeLimitSelectsTheSecondRadioButton() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 30;\nby_time 50;"));
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QVERIFY(IsOn(d, "RadioButton2") && !IsOn(d, "RadioButton1"));
      QCOMPARE(EditText(d, "Edit5"), QStringLiteral("50"));
      QCOMPARE(EditText(d, "Edit3"), QStringLiteral("30"));
      QVERIFY(IsEnabled(d, "Edit5") && !IsEnabled(d, "Edit3"));
    }));
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 0 0;\nby_time 50;"));
  }

  void theProcessAllLineEnablesTheRetryInterval() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("process_all 2.5;"));
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QVERIFY(IsOn(d, "CheckBox8"));
      QVERIFY(IsEnabled(d, "Label4") && IsEnabled(d, "Edit4"));
      QCOMPARE(EditText(d, "Edit4"), QStringLiteral("2.5"));
    }));
    shown.text_pane().setPlainText(QStringLiteral("simulate 3;"));
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QVERIFY(!IsOn(d, "CheckBox8"));
      QVERIFY(!IsEnabled(d, "Edit4"));
      QCOMPARE(EditText(d, "Edit4"), QStringLiteral("2.5"));
    }));
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 0 0;\nsimulate 3;"));
  }

  void okWithoutChangesRewritesTheTextInCanonicalForm() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 3\nsimulate 8;\nterm_crd 4 5;\nprocess_all 1;"));
    QVERIFY(WithSettings(shown, [](SettingsDialog*) {}));
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 4 5;\nprocess_all 1;\nsimulate 8;"));
    QVERIFY(shown.text_pane().isVisible());
  }

  void changedSettingsReachTheStoreAndTheText() {
    ShownMainWindow shown;
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      Control<QRadioButton>(d, "RadioButton2")->click();
      QVERIFY(IsEnabled(d, "Edit5") && !IsEnabled(d, "Edit3"));
      Control<QLineEdit>(d, "Edit5")->setText(QStringLiteral("1E3"));
      Control<QCheckBox>(d, "CheckBox8")->click();
      Control<QLineEdit>(d, "Edit4")->setText(QStringLiteral("0.25"));
    }));
    const RunSettings& settings = shown.window->store().settings;
    QVERIFY(settings.by_time);
    QCOMPARE(settings.end_time, 1000.0);
    QVERIFY(settings.process_all);
    QCOMPARE(settings.retry_interval, 0.25);
    QVERIFY(shown.text_pane().isHidden());
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 0 0;\nprocess_all 0.25;\nby_time 1000;"));
  }

  void escapeCancelsAndOkTakesTheEventLimit() {
    ShownMainWindow shown;
    const auto escape = OnModal<SettingsDialog>([](SettingsDialog* d) {
      QCOMPARE(EditText(d, "EventLimitEdit"), QStringLiteral("1000000000"));
      Control<QCheckBox>(d, "CheckBox9")->click();
      Control<QLineEdit>(d, "EventLimitEdit")->setText(QStringLiteral("5000"));
      QTest::keyClick(d, Qt::Key_Escape);
    });
    shown.window->OpenSettingsDialog();
    QVERIFY(shown.window->store().settings.check_model);
    QCOMPARE(shown.window->store().settings.max_events, std::int64_t{1000000000});
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QVERIFY(IsOn(d, "CheckBox9"));  // the cancelled change is gone
      Control<QLineEdit>(d, "EventLimitEdit")->setText(QStringLiteral("5000"));
    }));
    QCOMPARE(shown.window->store().settings.max_events, std::int64_t{5000});
  }

  void protocolNameFollowsBothCheckBoxes() {
    ShownMainWindow shown;
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      Control<QCheckBox>(d, "CheckBox2")->click();
      QVERIFY(IsEnabled(d, "CheckBox4") && IsEnabled(d, "CheckBox6"));
      QVERIFY(!IsEnabled(d, "Label2") && !IsEnabled(d, "Edit2"));
      Control<QCheckBox>(d, "CheckBox4")->click();
      QVERIFY(IsEnabled(d, "Label2") && IsEnabled(d, "Edit2"));
      Control<QLineEdit>(d, "Edit2")->setText(QStringLiteral("протокол"));
      Control<QCheckBox>(d, "CheckBox2")->click();
      QVERIFY(!IsEnabled(d, "CheckBox4") && !IsEnabled(d, "CheckBox6"));
      QVERIFY(!IsEnabled(d, "Label2") && !IsEnabled(d, "Edit2"));
      QVERIFY(!IsOn(d, "CheckBox4"));
      QCOMPARE(EditText(d, "Edit2"), QStringLiteral("протокол"));
    }));
    const RunSettings& settings = shown.window->store().settings;
    QVERIFY(!settings.protocol_enabled && !settings.protocol_name_auto);
    QCOMPARE(settings.protocol_file_name, std::string("протокол"));  // the file system's name
  }

  void reportNameIsEnabledWithoutAutomaticNaming() {
    ShownMainWindow shown;
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      Control<QCheckBox>(d, "CheckBox1")->click();
      QVERIFY(IsEnabled(d, "Label1") && IsEnabled(d, "Edit1"));
      Control<QLineEdit>(d, "Edit1")->setText(QStringLiteral("итоги"));
      Control<QCheckBox>(d, "CheckBox9")->click();
    }));
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QVERIFY(!IsOn(d, "CheckBox1") && !IsOn(d, "CheckBox9"));
      QCOMPARE(EditText(d, "Edit1"), QStringLiteral("итоги"));
    }));
    QVERIFY(!shown.window->store().settings.report_name_auto);
    QVERIFY(!shown.window->store().settings.check_model);
  }

  void everyOpeningStartsOnTheFirstTab() {
    ShownMainWindow shown;
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      Control<QTabBar>(d, "TabControl1")->setCurrentIndex(2);
      QVERIFY(Control<QGroupBox>(d, "GroupBox2")->isVisible());
      QVERIFY(Control<QGroupBox>(d, "GroupBox3")->isHidden());
    }));
    QVERIFY(WithSettings(shown, [](SettingsDialog* d) {
      QCOMPARE(Control<QTabBar>(d, "TabControl1")->currentIndex(), 0);
      QVERIFY(Control<QGroupBox>(d, "GroupBox3")->isVisible());
      QVERIFY(Control<QGroupBox>(d, "GroupBox1")->isHidden());
      QVERIFY(Control<QGroupBox>(d, "GroupBox2")->isHidden());
    }));
  }

  void tabsOutsideTheFourChangeNothing() {
    SettingsDialog dialog(nullptr);
    dialog.ShowPage(1);
    dialog.ShowPage(4);
    dialog.ShowPage(-1);
    QVERIFY(!Control<QGroupBox>(&dialog, "GroupBox1")->isHidden());
    QVERIFY(Control<QGroupBox>(&dialog, "GroupBox3")->isHidden());
  }

  void aLetterInTheRequestCountKeepsTheOldText() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 30;"));
    auto seen = std::make_shared<SeenMessageBox>();
    std::unique_ptr<QTimer> close_error;
    QVERIFY(WithSettings(shown, [&](SettingsDialog* d) {
      Control<QLineEdit>(d, "Edit3")->setText(QStringLiteral("3O"));
      close_error = CloseNextMessageBox(seen);
    }));
    QCOMPARE(seen->text, QStringLiteral("'3O' is not a valid integer value."));
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 0 0;\nsimulate 30;"));
    QCOMPARE(shown.window->store().settings.simulate, 30);
  }

  void copyBackStopsAtTheFieldThatFails() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 30;"));
    auto seen = std::make_shared<SeenMessageBox>();
    std::unique_ptr<QTimer> close_error;
    QVERIFY(WithSettings(shown, [&](SettingsDialog* d) {
      Control<QLineEdit>(d, "Edit3")->setText(QStringLiteral("40"));
      Control<QRadioButton>(d, "RadioButton2")->click();
      Control<QLineEdit>(d, "Edit5")->setText(QString());
      Control<QCheckBox>(d, "CheckBox8")->click();
      close_error = CloseNextMessageBox(seen);
    }));
    QCOMPARE(seen->text, QStringLiteral("'' is not a valid floating point value."));
    const RunSettings& settings = shown.window->store().settings;
    QCOMPARE(settings.simulate, 40);
    QVERIFY(settings.process_all);
    QVERIFY(settings.by_time);
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 0 0;\nsimulate 30;"));
  }

  void aReadingErrorKeepsTheDialogClosed() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate many;"));
    auto seen = std::make_shared<SeenMessageBox>();
    const auto close_error = CloseNextMessageBox(seen);
    QVERIFY(!WithSettings(shown, [](SettingsDialog*) {}));
    QCOMPARE(seen->text, QStringLiteral("Строка 1: 'many' is not a valid integer value."));
  }
};

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::SettingsDialogTest)
#include "settings_dialog_test.moc"
