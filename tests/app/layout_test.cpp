#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QtTest>

#include "app/about_dialog.h"
#include "app/device_dialog.h"
#include "app/findings_dialog.h"
#include "app/generator_dialog.h"
#include "app/main_window.h"
#include "app/object_names.h"
#include "app/probability_dialog.h"
#include "app/queue_dialog.h"
#include "app/settings_dialog.h"
#include "app/sweep_dialog.h"
#include "app/transition_dialog.h"
#include "gui_test_support.h"
#include "layout_check.h"

// Run once as is and once under QT_SCALE_FACTOR=2, on a 1280 x 1024 screen.
namespace qsim::gui {
namespace {

// The widest name an element can have, in the widest letters.
const QString kWidestName(25, QChar(u'Ш'));
const QString kLongName = QStringLiteral("Контроль качества, линия2");

QString Faults(const QWidget& window) {
  return LayoutFaults(window).join(QLatin1Char('\n'));
}

// Shows `dialog` without its modal loop and returns what hides or cuts a text.
QString ShownFaults(QWidget& dialog) {
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog))
    return QStringLiteral("not shown");
  const QString faults = Faults(dialog);
  dialog.hide();
  return faults;
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void elementDialogsShowEveryTextAndKeepTheirLeastSize() {
    ShownMainWindow shown;
    const std::pair<const char*, QSize> least[] = {{names::kGeneratorDialog, {241, 145}},
                                                   {names::kQueueDialog, {305, 137}},
                                                   {names::kDeviceDialog, {233, 137}},
                                                   {names::kProbabilityDialog, {321, 43}},
                                                   {names::kTransitionDialog, {289, 49}}};
    for (const auto& [name, size] : least) {
      auto* dialog = shown.window->findChild<QDialog*>(QLatin1String(name));
      QVERIFY2(dialog->width() >= size.width() && dialog->height() >= size.height(), name);
      QVERIFY2(dialog->size() == dialog->minimumSizeHint().expandedTo(dialog->size()), name);
      if (qobject_cast<TransitionDialog*>(dialog) == nullptr)
        QVERIFY2(ShownFaults(*dialog).isEmpty(), qPrintable(name + (": " + ShownFaults(*dialog))));
    }
  }

  // The list grows with the transitions it is given at each use.
  void theTransitionListFitsItsLongestItem() {
    ShownMainWindow shown;
    auto* dialog = shown.window->findChild<TransitionDialog*>();
    QString faults = QStringLiteral("not shown");
    const auto watch = OnModal<TransitionDialog>([&](TransitionDialog* d) {
      faults = Faults(*d);
      d->reject();
    });
    dialog->Choose(QStringLiteral("Удаление перехода"),
                   {QStringLiteral("Очередь 1"),
                    QStringLiteral("Обслуживающее устройство 150 (%1)").arg(kWidestName)});
    QVERIFY2(faults.isEmpty(), qPrintable(faults));
  }

  void everySettingsPageShowsEveryText() {
    ShownMainWindow shown;
    auto* dialog = shown.window->findChild<SettingsDialog*>();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    for (int page = 0; page < 3; ++page) {
      dialog->findChild<QTabBar*>()->setCurrentIndex(page);
      QVERIFY2(Faults(*dialog).isEmpty(), qPrintable(Faults(*dialog)));
    }
    dialog->hide();
  }

  // A name of 25 letters of every width; the sweep's longest entry is the mean
  // service time of device 150.
  void theSweepDialogFitsItsLongestParameter() {
    ShownMainWindow shown;
    // A name in the text ends at a space, so the long name takes no space there.
    shown.TypeModel(QStringLiteral("device 150;\nname %1;\nk 1;\nv 1;\n")
                        .arg(QString(kLongName).replace(QLatin1Char(' '), QLatin1Char('_'))));
    QString faults = QStringLiteral("not shown");
    const auto watch = OnModal<SweepDialog>([&](SweepDialog* d) {
      QTest::qWait(0);  // the parameter list is built as the dialog shows
      QVERIFY(d->findChild<QComboBox*>()->count() == 2);
      faults = Faults(*d);
      d->reject();
    });
    shown.window->OpenSweepDialog();
    QVERIFY2(faults.isEmpty(), qPrintable(faults));
  }

  void theOtherDialogsShowEveryText() {
    ShownMainWindow shown;
    for (QDialog* dialog : shown.window->findChildren<QDialog*>()) {
      if (qobject_cast<AboutDialog*>(dialog) || qobject_cast<FindingsDialog*>(dialog))
        QVERIFY2(ShownFaults(*dialog).isEmpty(), qPrintable(ShownFaults(*dialog)));
    }
  }

  // 1280 x 1024 at scale 2 leaves 640 x 512, less the window's title bar.
  void theMainWindowFitsTheScreenAndItsPanelsShowTheirTexts() {
    ShownMainWindow shown;
    QVERIFY(QTest::qWaitForWindowExposed(shown.window.get()));
    const QSize screen = QSize(1280, 1024) / shown.window->devicePixelRatio();
    const QSize least = shown.window->minimumSizeHint();
    QVERIFY2(least.width() <= screen.width() && least.height() <= screen.height() - 40,
             qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
    QVERIFY2(shown.window->frameGeometry().width() <= screen.width(),
             qPrintable(QStringLiteral("%1 %2 %3")
                            .arg(shown.window->frameGeometry().width())
                            .arg(screen.width())
                            .arg(shown.window->screen()->availableGeometry().width())));
    shown.TypeModel(QStringLiteral("simulate 1;\n").repeated(1502));
    QCOMPARE(shown.line_count(), QStringLiteral("Всего строк: 1502"));
    shown.window->findChild<QLabel*>(QLatin1String(names::kElementPanel))
        ->setText(QStringLiteral("Устройство 150 (%1)").arg(kWidestName));
    shown.window->findChild<QLabel*>(QLatin1String(names::kHintPanel))
        ->setText(QStringLiteral("Выберите элемент, из которого выходит переход"));
    QTest::qWait(0);
    // The hint yields its room to the two panels.
    const QStringList faults = LayoutFaults(*shown.window->statusBar())
                                   .filter(QRegularExpression(QStringLiteral("^(?!HintPanel)")));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
  }
};

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::LayoutTest)
#include "layout_test.moc"
