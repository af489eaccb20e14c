#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "app/findings_dialog.h"
#include "app/main_window.h"
#include "app/object_names.h"
#include "app/progress_dialog.h"
#include "app/settings_dialog.h"
#include "editor/model_drawing.h"
#include "gui_test_support.h"

namespace qsim::gui {
namespace {

void Run(const ShownMainWindow& shown) {
  shown.window->findChild<QAction*>(QLatin1String(names::kRunCommand))->trigger();
}

// The findings dialog as the user saw it.
struct SeenFindings {
  QString caption;
  QString findings;
  bool can_continue = false;
};

// Looks at the next findings dialog and leaves it with `leave`.
[[nodiscard]] std::unique_ptr<QTimer> OnFindings(std::shared_ptr<SeenFindings> seen,
                                                 std::function<void(FindingsDialog*)> leave) {
  return OnModal<FindingsDialog>([seen, leave](FindingsDialog* dialog) {
    seen->caption = dialog->windowTitle();
    seen->findings = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
    seen->can_continue = dialog->findChild<QPushButton*>(QStringLiteral("Button2"))->isEnabled();
    leave(dialog);
  });
}

void Press(QWidget* dialog, const char* button) {
  dialog->findChild<QPushButton*>(QLatin1String(button))->click();
}

QString WithChange(const char* example, const char* from, const char* to) {
  return ExampleText(example).replace(QLatin1String(from), QLatin1String(to));
}

}  // namespace

class RunCommandTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void aRunWritesTheReportAndOpensIt() {
    ShownMainWindow shown;
    shown.TypeModel(ExampleText("single_device.txt"));
    Run(shown);
    const QStringList reports = shown.folder.ReportFiles();
    QCOMPARE(reports.size(), 1);
    QVERIFY(QRegularExpression(
                QStringLiteral("^report_\\d\\d_\\d\\d_\\d{4}_\\d\\d_\\d\\d_\\d\\d\\.htm$"))
                .match(reports[0])
                .hasMatch());
    const QString report = shown.folder.reports() + QLatin1Char('/') + reports[0];
    QVERIFY(FileBytes(report).contains("<td>1000</td>"));
    QTRY_COMPARE(*shown.opened, QStringList({report}));
    QVERIFY(!shown.pane_text().contains(QStringLiteral("bundled")));
    QCOMPARE(shown.window->store().generated, 1000);
  }

  void theProtocolIsWrittenAndOpenedAfterTheReportWhenAskedFor() {
    ShownMainWindow shown;
    shown.TypeModel(ExampleText("single_device.txt"));
    {
      const auto settings = OnModal<SettingsDialog>([](SettingsDialog* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->click();
        dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->click();
        Press(dialog, "Button1");
      });
      shown.window->OpenSettingsDialog();
    }
    Run(shown);
    QCOMPARE(shown.folder.ReportFiles().size(), 2);
    QTRY_COMPARE(shown.opened->size(), 2);
    QVERIFY(shown.opened->at(0).endsWith(QStringLiteral(".htm")));
    QVERIFY(shown.opened->at(1).contains(QStringLiteral("/protocol_")));
  }

  void theReportPictureShowsTheModelAlsoFromTheCodeEditor() {
    ShownMainWindow shown;
    shown.TypeModel(ExampleText("single_device.txt"));
    {
      const auto settings = OnModal<SettingsDialog>([](SettingsDialog* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox7"))->click();
        Press(dialog, "Button1");
      });
      shown.window->OpenSettingsDialog();
    }
    Run(shown);
    const QStringList files = shown.folder.ReportFiles();
    QCOMPARE(files.size(), 2);
    QVERIFY(files[1].endsWith(QStringLiteral(".htm.bmp")));
    const QByteArray bitmap = FileBytes(shown.folder.reports() + QLatin1Char('/') + files[1]);
    QVERIFY(bitmap.startsWith("BM"));
    QVERIFY(bitmap.mid(54).count('\0') > 0);    // black strokes on the white picture
    QVERIFY(IsBlank(shown.window->picture()));  // the canvas of the code editor stays blank
  }

  void aBlockingFindingLeavesOnlyTheWayBackToEditing() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 0;"));
    auto seen = std::make_shared<SeenFindings>();
    const auto review = OnFindings(seen, [](FindingsDialog* dialog) { Press(dialog, "Button1"); });
    Run(shown);
    QCOMPARE(seen->caption, QStringLiteral("Обнаруженные неточности в модели (всего :5)"));
    QVERIFY(!seen->can_continue);
    QCOMPARE(seen->findings.count(QLatin1Char('\n')), 4);
    QVERIFY(seen->findings.startsWith(
        QStringLiteral("1. Система не имеет выхода (нет перехода в терминатор заявок).")));
    QVERIFY(shown.folder.ReportFiles().isEmpty());
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 0 0;\nsimulate 100;"));
  }

  void closingTheFindingsWindowGoesBackToEditing() {
    ShownMainWindow shown;
    shown.TypeModel(WithChange("single_device.txt", "la 2;", "la 0;"));
    auto seen = std::make_shared<SeenFindings>();
    const auto review = OnFindings(seen, [](FindingsDialog* dialog) { dialog->close(); });
    Run(shown);
    QVERIFY(seen->can_continue);
    QCOMPARE(seen->findings,
             QStringLiteral("1. В генераторе 1 не указана интесивность потока. Исправлено на 1."));
    QVERIFY(shown.folder.ReportFiles().isEmpty());
    QVERIFY(shown.pane_text().contains(QStringLiteral("\nla 1;\n")));
  }

  void continuingRunsTheCorrectedModel() {
    ShownMainWindow shown;
    shown.TypeModel(WithChange("single_device.txt", "la 2;", "la 0;"));
    const auto review = OnFindings(std::make_shared<SeenFindings>(),
                                   [](FindingsDialog* dialog) { Press(dialog, "Button2"); });
    Run(shown);
    QCOMPARE(shown.folder.ReportFiles().size(), 1);
    QCOMPARE(shown.window->store().generator(1).la, 1.0);
  }

  void anOverloadedSystemWithoutRefusalsIsRunOnlyWhenTheUserGoesOn() {
    ShownMainWindow shown;
    shown.TypeModel(WithChange("single_device.txt", "la 2;", "la 5;") +
                    QStringLiteral("\nprocess_all 0.1;\n"));
    auto seen = std::make_shared<SeenMessageBox>();
    const auto cancel = CloseNextMessageBox(seen);  // «Отмена», the default
    Run(shown);
    QVERIFY2(seen->text.startsWith(QStringLiteral("Загрузка канала устройства 1 (D) равна 1.25")),
             qPrintable(seen->text));
    QVERIFY(shown.folder.ReportFiles().isEmpty());
  }

  void impossibleDurationsAreWarnedOfAfterTheReport() {
    ShownMainWindow shown;
    // A second block of the device continues it: «Экспоненциальное» with disp 1.
    shown.TypeModel(ExampleText("single_device.txt") +
                    QStringLiteral("\ndevice 1;\nrasp 3;\ndisp 1;\n"));
    auto seen = std::make_shared<SeenMessageBox>();
    const auto close = CloseNextMessageBox(seen);
    Run(shown);
    QCOMPARE(shown.folder.ReportFiles().size(), 1);
    QCOMPARE(seen->icon, int(QMessageBox::Warning));
    QVERIFY(seen->text.startsWith(QStringLiteral("Внимание: в ходе расчета получено ")));
    QVERIFY(seen->text.contains(QStringLiteral("(устройство 1 (D): ")));
    // The bundled model as it is draws no impossible duration: no box at all.
    auto none = std::make_shared<SeenMessageBox>();
    const auto watch = CloseNextMessageBox(none);
    shown.TypeModel(ExampleText("single_device.txt"));
    Run(shown);
    QCOMPARE(none->text, QString());
  }

  void theAnalysisStandsBesideTheLastRunOfTheSameText() {
    ShownMainWindow shown;
    shown.TypeModel(ExampleText("single_device.txt")
                        .replace(QLatin1String("rasp 3;"), QLatin1String("rasp 5;")));
    Run(shown);
    auto* analyse = shown.window->findChild<QAction*>(QLatin1String(names::kAnalysisCommand));
    analyse->trigger();
    auto* window = shown.window->findChild<QDialog*>(QStringLiteral("AnalysisWindow"));
    QVERIFY(window->isVisible());
    auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("AnalysisText"));
    QVERIFY(text->toPlainText().contains(
        QStringLiteral("Устройство 1 (D): интенсивность входящего потока 2; среднее время "
                       "обслуживания 0.5; каналов 2; загрузка канала 0.5")));
    QVERIFY(text->toPlainText().contains(QStringLiteral("M/M/2/12: вероятность отказа ")));
    QVERIFY(text->toPlainText().contains(QStringLiteral("(моделирование: ")));
    // Another model: predictions alone, never the values of a run of something else.
    shown.TypeModel(shown.pane_text().replace(QLatin1String("len 10;"), QLatin1String("len 4;")));
    analyse->trigger();
    QVERIFY(text->toPlainText().contains(QStringLiteral("M/M/2/6: вероятность отказа ")));
    QVERIFY(!text->toPlainText().contains(QStringLiteral("моделирование")));
  }

  void aRunCanBeStoppedAndReportsUpToThatMoment() {
    ShownMainWindow shown;
    shown.TypeModel(WithChange("single_device.txt", "simulate 1000;", "by_time 1E12;"));
    auto stopped = std::make_shared<SeenMessageBox>();
    std::unique_ptr<QTimer> close_message;
    QString events;
    QString goal;
    const auto stop = OnModal<RunProgressDialog>([&](RunProgressDialog* progress) {
      auto* counter = progress->findChild<QLabel*>(QStringLiteral("EventsLabel"));
      const auto taken = [counter] {
        return counter->text().section(QStringLiteral(" из "), 0, 0).remove(QLatin1Char(' '));
      };
      QTRY_VERIFY(taken().toLongLong() > 0);
      QVERIFY(counter->text().endsWith(QStringLiteral(" из 1 000 000 000")));
      events = taken();
      goal = progress->findChild<QLabel*>(QStringLiteral("GoalLabel"))->text();
      close_message = CloseNextMessageBox(stopped);
      Press(progress, "CancelButton");
    });
    Run(shown);
    QVERIFY(events.toLongLong() > 0);
    QVERIFY2(QRegularExpression(
                 QStringLiteral("^Время: [\\d ]+(\\.\\d)? из 1 000 000 000 000 \\(0 %\\)$"))
                 .match(goal)
                 .hasMatch(),
             qPrintable(goal));
    QVERIFY2(stopped->text.startsWith(QStringLiteral("Моделирование прервано в момент ")),
             qPrintable(stopped->text));
    QVERIFY(stopped->text.contains(QStringLiteral("; отчет — за время от 0 до ")));
    QCOMPARE(shown.folder.ReportFiles().size(), 1);
    QCOMPARE(shown.opened->size(), 1);
    QVERIFY(shown.pane_text().endsWith(QStringLiteral("by_time 1000000000000;")));
  }

  void aDeletedReportsFolderIsMadeAgain() {
    ShownMainWindow shown;
    QVERIFY(QDir(shown.folder.reports()).removeRecursively());
    shown.TypeModel(ExampleText("single_device.txt"));
    Run(shown);
    QCOMPARE(shown.folder.ReportFiles().size(), 1);
  }

  void aReportsFolderThatCannotBeMadeShowsOneErrorBeforeTheRun() {
    ShownMainWindow shown;
    QVERIFY(QDir(shown.folder.reports()).removeRecursively());
    QFile in_the_way(shown.folder.reports());
    QVERIFY(in_the_way.open(QIODevice::WriteOnly));
    in_the_way.close();
    shown.TypeModel(QStringLiteral("simulate 3\n") + ExampleText("single_device.txt"));
    const QString typed = shown.pane_text();
    auto seen = std::make_shared<SeenMessageBox>();
    const auto close_error = CloseNextMessageBox(seen);
    Run(shown);
    QCOMPARE(seen->text, QStringLiteral("Не удалось создать папку отчетов \"") +
                             shown.folder.reports() +
                             QStringLiteral("\": на ее месте или на пути к ней лежит файл."));
    QCOMPARE(shown.window->store().generated, 0);
    QCOMPARE(shown.pane_text(), typed);
  }

  void theStatusBarLinksTheFilesOfTheRun() {
    ShownMainWindow shown;
    shown.TypeModel(ExampleText("single_device.txt"));
    {
      const auto settings = OnModal<SettingsDialog>([](SettingsDialog* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->click();
        dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("итог"));
        dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->click();
        Press(dialog, "Button1");
      });
      shown.window->OpenSettingsDialog();
    }
    auto* report = shown.window->findChild<QPushButton*>(QStringLiteral("ReportLink"));
    auto* protocol = shown.window->findChild<QPushButton*>(QStringLiteral("ProtocolLink"));
    QVERIFY(report->isHidden() && protocol->isHidden());
    Run(shown);
    QCOMPARE(report->text(), QStringLiteral("Отчет: итог.htm"));
    QVERIFY(protocol->text().startsWith(QStringLiteral("Протокол: protocol_")));
    Run(shown);
    QCOMPARE(report->text(), QStringLiteral("Отчет: итог.htm (предыдущий заменен)"));
    QTRY_COMPARE(shown.opened->size(), 2);  // the reports opened after each run
    QTest::mouseClick(protocol, Qt::LeftButton);
    QTest::mouseClick(report, Qt::LeftButton);
    const QString reports = shown.folder.reports() + QLatin1Char('/');
    QCOMPARE(shown.opened->size(), 4);
    QVERIFY(shown.opened->at(2).startsWith(reports + QStringLiteral("protocol_")));
    QCOMPARE(shown.opened->at(3), reports + QStringLiteral("итог.htm"));
  }

  // After a run the results window shows the figures with their intervals and a
  // link that opens the report; a run seeded at the accuracy page is the same
  // each time.
  void theResultsWindowShowsTheFiguresOfTheRunAsked() {
    ShownMainWindow shown;
    shown.TypeModel(ExampleText("single_device.txt"));
    {
      const auto settings = OnModal<SettingsDialog>([](SettingsDialog* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("SeedBox"))->click();
        dialog->findChild<QLineEdit*>(QStringLiteral("SeedEdit"))->setText(QStringLiteral("5"));
        Press(dialog, "Button1");
      });
      shown.window->OpenSettingsDialog();
    }
    QCOMPARE(shown.window->store().settings.accuracy.seed, std::optional<std::uint32_t>(5));
    Run(shown);
    auto* results = shown.window->findChild<QDialog*>(QStringLiteral("RunResultsWindow"));
    QVERIFY(results->isVisible());
    auto* text = results->findChild<QTextBrowser*>(QStringLiteral("FiguresText"));
    QVERIFY(text->toPlainText().contains(QStringLiteral("Точность и дополнительные показатели")));
    const QString first = text->toPlainText();
    Run(shown);
    QCOMPARE(text->toPlainText(), first);
    auto* links = results->findChild<QLabel*>(QStringLiteral("RunFileLinks"));
    QVERIFY(links->text().contains(QStringLiteral("href=\"report\"")));
    const qsizetype opened = shown.opened->size();
    QMetaObject::invokeMethod(links, "linkActivated", Q_ARG(QString, QStringLiteral("report")));
    QCOMPARE(shown.opened->size(), opened + 1);
  }

  void aReportTheDesktopCannotOpenIsNamedWithItsPath() {
    ShownMainWindow shown;
    shown.window->platform().SetDocumentOpener([](const QString&) { return false; });
    shown.TypeModel(ExampleText("single_device.txt"));
    QString message;
    const auto box = OnModal<QMessageBox>([&](QMessageBox* seen) {
      if (seen->objectName() == QLatin1String("CannotOpenBox"))
        message = seen->text();
      seen->accept();
    });
    Run(shown);
    QTRY_VERIFY(message.contains(shown.folder.reports()));
  }

  void aReadingErrorDoesNotLeaveTheNextRunReadingOnly() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate x;"));
    {
      const auto close_error = CloseNextMessageBox(std::make_shared<SeenMessageBox>());
      shown.window->ShowVisualEditor();
    }
    shown.text_pane().setPlainText(ExampleText("single_device.txt"));
    Run(shown);
    QCOMPARE(shown.folder.ReportFiles().size(), 1);
  }

  void aRunInTheVisualEditorRedrawsWhatTheCheckCorrected() {
    ShownMainWindow shown;
    shown.TypeModel(WithChange("single_device.txt", "k 2;", "k 0;"));
    shown.window->ShowVisualEditor();
    const auto review = OnFindings(std::make_shared<SeenFindings>(),
                                   [](FindingsDialog* dialog) { Press(dialog, "Button2"); });
    Run(shown);
    QCOMPARE(shown.window->store().device(1).k, 1);
    RasterCanvas expected;
    DrawModel(shown.window->store(), expected);
    QVERIFY(std::ranges::equal(shown.window->picture().image().bytes, expected.image().bytes));
  }
};

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::RunCommandTest)
#include "run_command_test.moc"
