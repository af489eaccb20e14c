#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QtTest>

#include "app/main_window.h"
#include "app/object_names.h"
#include "gui_test_support.h"

namespace qsim::gui {
namespace {

// Chooses `path` in the next file dialog, or cancels it when `path` is empty.
[[nodiscard]] std::unique_ptr<QTimer> ChooseFile(const QString& path) {
  return OnModal<QFileDialog>([path](QFileDialog* dialog) {
    if (path.isEmpty()) {
      dialog->reject();
      return;
    }
    // As a user types it: selectFile() leaves the name field alone while it has
    // the focus, which depends on when the window was activated.
    const QFileInfo file(path);
    dialog->setDirectory(file.absolutePath());
    dialog->selectFile(file.fileName());  // else a file chosen before stays selected in the list
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file.fileName());
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own accept() checks the name
  });
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

void Trigger(const ShownMainWindow& shown, const char* action) {
  shown.window->findChild<QAction*>(QLatin1String(action))->trigger();
}

const QByteArray kModelFile = "queue 1;\r\nxc 100;\r\nyc 200;\r\nlen 3;\r\nterm_crd 300 40;\r\n";
const QString kCanonicalText = QStringLiteral(
    "queue 1;\nname ;\nxc 100;\nyc 200;\nlen 3;\ndiscip fifo;\ntransfer 0;\n\n"
    "term_crd 300 40;\nsimulate 0;");

}  // namespace

class FileCommandsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void openReadsTheFileAndShowsItsPathWithoutSpace() {
    ShownMainWindow shown;
    const QString path = shown.folder.models() + QStringLiteral("/две очереди.txt");
    WriteFile(path, kModelFile);
    const auto choose = ChooseFile(path);
    Trigger(shown, names::kOpenModelCommand);
    QCOMPARE(shown.window->windowTitle(),
             QStringLiteral("Система имитационного моделирования v1.0 - ") + path);
    QCOMPARE(shown.window->model_file_name(), path);
    QCOMPARE(shown.pane_text(), kCanonicalText);
    QCOMPARE(shown.window->picture().PixelAt(107, 205), kBlack);  // drawn in the visual editor
  }

  void recentFilesListTheLastOpenedOrSavedFirstAndOpenAgain() {
    ShownMainWindow shown;
    auto* recent = shown.window->findChild<QMenu*>(QLatin1String(names::kRecentFilesMenu));
    QMetaObject::invokeMethod(recent, "aboutToShow");
    QVERIFY(recent->actions().isEmpty());  // nothing stored by the user or other tests
    QStringList paths;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt", "a.txt"}) {
      paths.prepend(shown.folder.models() + "/" + name);
      WriteFile(paths.front(), kModelFile);
      const auto choose = ChooseFile(paths.front());
      Trigger(shown, names::kOpenModelCommand);
    }
    QMetaObject::invokeMethod(recent, "aboutToShow");
    QCOMPARE(recent->actions().size(), 5);
    QCOMPARE(recent->actions()[0]->text(), QDir::toNativeSeparators(paths[0]));  // a.txt
    QCOMPARE(recent->actions()[1]->text(), QDir::toNativeSeparators(paths[1]));  // f.txt
    recent->actions()[1]->trigger();
    QCOMPARE(shown.window->model_file_name(), paths[1]);
  }

  void anExampleShowsItsDescriptionAndPictureAndOpensAsANewModel() {
    ShownMainWindow shown;
    for (const QString& name : QDir(QStringLiteral(QSIM_EXAMPLES_DIR)).entryList(QDir::Files))
      QFile::copy(QStringLiteral(QSIM_EXAMPLES_DIR "/") + name, shown.folder.models() + "/" + name);
    int listed = 0;
    const auto choose = OnModal<QDialog>([&](QDialog* gallery) {
      listed = gallery->findChild<QListWidget*>(QStringLiteral("ExamplesList"))->count();
      QCOMPARE(
          gallery->findChild<QListWidget*>(QStringLiteral("ExamplesList"))->currentItem()->text(),
          QStringLiteral("Одна касса (M/M/1)"));
      QVERIFY(gallery->findChild<QPlainTextEdit*>(QStringLiteral("ExampleDescription"))
                  ->toPlainText()
                  .contains(QStringLiteral("M/M/1")));
      QVERIFY(!gallery->findChild<QLabel*>(QStringLiteral("ExamplePicture"))->pixmap().isNull());
      gallery->findChild<QAbstractButton*>(QStringLiteral("OpenExampleButton"))->click();
    });
    Trigger(shown, names::kExamplesCommand);
    QVERIFY(listed >= 8);
    QVERIFY(shown.pane_text().contains(QStringLiteral("name Покупатели;\nxc 60;")));
    QVERIFY(shown.window->model_file_name().isEmpty());
    QCOMPARE(shown.window->store().generator(1).la, 0.5);
  }

  void openingInTheCodeEditorLeavesTheCanvasBlank() {
    ShownMainWindow shown;
    const QString path = shown.folder.models() + QStringLiteral("/m.txt");
    WriteFile(path, kModelFile);
    shown.window->ShowCodeEditor();
    const auto choose = ChooseFile(path);
    Trigger(shown, names::kOpenModelCommand);
    QVERIFY(IsBlank(shown.window->picture()));
    // The queue moves in the text; the visual editor then shows it only where it is now.
    shown.text_pane().setPlainText(
        shown.pane_text().replace(QStringLiteral("xc 100;"), QStringLiteral("xc 500;")));
    shown.window->ShowVisualEditor();
    QCOMPARE(shown.window->picture().PixelAt(507, 205), kBlack);
    QCOMPARE(shown.window->picture().PixelAt(107, 205), kWhite);
  }

  void openingAFaultyFileShowsTheErrorAndDrawsNothing() {
    ShownMainWindow shown;
    const QString path = shown.folder.models() + QStringLiteral("/bad.txt");
    WriteFile(path, "queue 1;\r\nxc 10;+\r\nlen many;\r\nyc 5;+\r\n");
    auto seen = std::make_shared<SeenMessageBox>();
    const auto choose = ChooseFile(path);
    const auto close_error = CloseNextMessageBox(seen);
    Trigger(shown, names::kOpenModelCommand);
    QCOMPARE(seen->text, QStringLiteral("Строка 3: 'many' is not a valid integer value."));
    QCOMPARE(shown.pane_text(), QStringLiteral("queue 1;\nxc 10\nlen many;\nyc 5;+"));
    QVERIFY(IsBlank(shown.window->picture()));
    QCOMPARE(shown.window->model_file_name(), path);
  }

  // Until a reading succeeds the pane's lines are all there is of the model: no
  // command rewrites them from the half-read store, and saving writes them.
  void aFailedReadingKeepsTheFilesLinesThroughEveryCommand() {
    ShownMainWindow shown;
    const QString path = shown.folder.models() + QStringLiteral("/bad.txt");
    const QByteArray bytes = "// notes\r\nqueue 1;\r\nxc 10;\r\nlen many;\r\nyc 5;\r\n";
    WriteFile(path, bytes);
    const QString lines = QString::fromLatin1(bytes).remove(QLatin1Char('\r')).chopped(1);
    auto seen = std::make_shared<SeenMessageBox>();
    const auto fails_again = [&](const std::function<void()>& command) {
      *seen = {};
      const auto close_error = CloseNextMessageBox(seen);
      command();
      QCOMPARE(seen->text, QStringLiteral("Строка 4: 'many' is not a valid integer value."));
      QCOMPARE(shown.pane_text(), lines);
    };
    fails_again([&] {
      const auto choose = ChooseFile(path);
      Trigger(shown, names::kOpenModelCommand);
    });
    // A click on the canvas would edit the half-read store.
    fails_again([&] { QTest::mouseClick(&shown.canvas(), Qt::LeftButton, {}, QPoint(40, 40)); });
    fails_again([&] { Trigger(shown, names::kRunCommand); });
    {
      const auto choose = ChooseFile(path);
      Trigger(shown, names::kSaveModelCommand);  // from the visual editor
    }
    QCOMPARE(FileBytes(path), bytes);
    shown.window->ShowCodeEditor();
    QCOMPARE(shown.pane_text(), lines);
    QCOMPARE(shown.text_pane().textCursor().blockNumber(), 3);
    fails_again([&] { shown.window->ShowVisualEditor(); });
    QVERIFY(shown.canvas().isHidden());
    fails_again([&] { Trigger(shown, names::kSettingsCommand); });
    QVERIFY(shown.folder.ReportFiles().isEmpty());
    shown.text_pane().setPlainText(
        QString(lines).replace(QLatin1String("many"), QLatin1String("2")));
    {
      const auto drop_the_note = AnswerNextQuestion(QMessageBox::Ok);
      shown.window->ShowVisualEditor();
    }
    QVERIFY(shown.canvas().isVisible());
    QVERIFY(shown.pane_text().startsWith(QStringLiteral("queue 1;\nname ;\nxc 10;")));
  }

  void cancellingTheOpenDialogChangesNothing() {
    ShownMainWindow shown;
    const QString before = shown.pane_text();
    const auto cancel = ChooseFile(QString());
    Trigger(shown, names::kOpenModelCommand);
    QCOMPARE(shown.pane_text(), before);
    QCOMPARE(shown.window->windowTitle(),
             QStringLiteral("Система имитационного моделирования v 1.0"));
  }

  // Each dialog keeps its own folder anyway; the other one must follow it.
  void eachFileDialogStartsWhereAModelWasLastOpenedOrSaved() {
    ShownMainWindow shown;
    const QString opened_in = shown.folder.path() + QStringLiteral("/мои модели");
    const QString saved_in = shown.folder.path() + QStringLiteral("/копии");
    QVERIFY(QDir().mkpath(opened_in) && QDir().mkpath(saved_in));
    WriteFile(opened_in + QStringLiteral("/m.txt"), kModelFile);
    const auto* open = shown.window->findChild<QFileDialog*>(QLatin1String(names::kOpenDialog));
    const auto* save = shown.window->findChild<QFileDialog*>(QLatin1String(names::kSaveDialog));
    {
      const auto choose = ChooseFile(opened_in + QStringLiteral("/m.txt"));
      Trigger(shown, names::kOpenModelCommand);
    }
    QCOMPARE(save->directory().absolutePath(), opened_in);
    {
      const auto choose = ChooseFile(saved_in + QStringLiteral("/m.txt"));
      Trigger(shown, names::kSaveModelCommand);
    }
    QCOMPARE(open->directory().absolutePath(), saved_in);
  }

  void saveFromTheVisualEditorWritesTheRegeneratedTextWithCrLf() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 3\nterm_crd 7 8;\nsimulate 12;"));
    shown.window->ShowVisualEditor();
    const QString path = shown.folder.models() + QStringLiteral("/saved.txt");
    const auto choose = ChooseFile(path);
    Trigger(shown, names::kSaveModelCommand);
    QCOMPARE(FileBytes(path), QByteArray("term_crd 7 8;\r\nsimulate 12;\r\n"));
    QCOMPARE(shown.window->windowTitle(),
             QStringLiteral("Система имитационного моделирования v 1.0 - ") + path);
    QCOMPARE(shown.window->model_file_name(), path);
  }

  void saveFromTheCodeEditorWritesTheTextAsTyped() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("модель без слов\nsimulate  5;"));
    const QString path = shown.folder.models() + QStringLiteral("/typed.txt");
    const auto choose = ChooseFile(path);
    Trigger(shown, names::kSaveModelCommand);
    QCOMPARE(FileBytes(path),
             QByteArray("\xEC\xEE\xE4\xE5\xEB\xFC \xE1\xE5\xE7 \xF1\xEB\xEE\xE2\r\n"
                        "simulate  5;\r\n"));
  }

  void savingOverAnotherFileAsksFirst_data() {
    QTest::addColumn<bool>("own");  // the file the model came from
    QTest::addColumn<int>("answer");
    QTest::newRow("another file, replaced") << false << int(QMessageBox::Yes);
    QTest::newRow("another file, kept") << false << int(QMessageBox::No);
    QTest::newRow("the model's own file") << true << 0;
  }

  void savingOverAnotherFileAsksFirst() {
    QFETCH(bool, own);
    QFETCH(int, answer);
    ShownMainWindow shown;
    const QString own_path = shown.folder.models() + QStringLiteral("/own.txt");
    const QString other = shown.folder.models() + QStringLiteral("/other.txt");
    WriteFile(own_path, kModelFile);
    WriteFile(other, "older\r\n");
    {
      const auto choose = ChooseFile(own_path);
      Trigger(shown, names::kOpenModelCommand);
    }
    const QString target = own ? own_path : other;
    const QByteArray before = FileBytes(target);
    auto asked = std::make_shared<bool>(false);
    std::unique_ptr<QTimer> cancel_the_dialog_shown_again;
    const auto question = OnModal<QMessageBox>([&](QMessageBox* box) {
      *asked = true;
      if (answer == QMessageBox::No)
        cancel_the_dialog_shown_again = ChooseFile(QString());
      box->button(QMessageBox::StandardButton(answer))->click();
    });
    const auto choose = ChooseFile(target);
    Trigger(shown, names::kSaveModelCommand);
    QCOMPARE(*asked, !own);
    const QByteArray saved = kCanonicalText.toLatin1().replace("\n", "\r\n") + "\r\n";
    QCOMPARE(FileBytes(target), answer == QMessageBox::No ? before : saved);
    QCOMPARE(shown.window->model_file_name(), answer == QMessageBox::No ? own_path : target);
  }

  void saveCompletesAMissingExtension() {
    ShownMainWindow shown;
    const auto choose = ChooseFile(shown.folder.models() + QStringLiteral("/plain"));
    Trigger(shown, names::kSaveModelCommand);
    QVERIFY(QFile::exists(shown.folder.models() + QStringLiteral("/plain.txt")));
  }

  void failedSaveShowsTheErrorAndLeavesTheOldFileWhole() {
    ShownMainWindow shown;
    const QString path = shown.folder.models() + QStringLiteral("/old.txt");
    WriteFile(path, "simulate 1;\r\n");
    {
      const auto choose = ChooseFile(path);
      Trigger(shown, names::kOpenModelCommand);
    }
    shown.TypeModel(QString(10000, QLatin1Char('x')));
    auto seen = std::make_shared<SeenMessageBox>();
    const auto choose = ChooseFile(path);
    const auto close_error = CloseNextMessageBox(seen);
    {
      const FileSizeLimit limit(4096);
      Trigger(shown, names::kSaveModelCommand);
    }
    QVERIFY2(seen->text.startsWith(QStringLiteral("Cannot create file \"") + path +
                                   QStringLiteral("\". ")),
             qPrintable(seen->text));
    QVERIFY(seen->text.endsWith(QLatin1Char('.')));
    QCOMPARE(FileBytes(path), QByteArray("simulate 1;\r\n"));
    // The caption and the file name change before the file is written; the
    // model still differs from what the file holds.
    QCOMPARE(shown.window->windowTitle(),
             QStringLiteral("*Система имитационного моделирования v 1.0 - ") + path);
    QCOMPARE(shown.window->model_file_name(), path);
  }

  void newAsksBeforeThrowingAwayAnEditedText() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 5;"));
    auto asked = std::make_shared<bool>(false);
    {
      const auto cancel = AnswerNextQuestion(QMessageBox::Cancel, asked);
      Trigger(shown, names::kNewModelCommand);
    }
    QVERIFY(*asked);
    QCOMPARE(shown.pane_text(), QStringLiteral("simulate 5;"));
    const auto discard = AnswerNextQuestion(QMessageBox::Discard);
    Trigger(shown, names::kNewModelCommand);
    QVERIFY(shown.pane_text().isEmpty());
  }

  void answeringSaveSavesBeforeTheCommandGoesOn() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 5;"));
    const QString path = shown.folder.models() + QStringLiteral("/kept.txt");
    const auto save = AnswerNextQuestion(QMessageBox::Save);
    const auto choose = ChooseFile(path);
    Trigger(shown, names::kNewModelCommand);
    QCOMPARE(FileBytes(path), QByteArray("simulate 5;\r\n"));
    QVERIFY(shown.pane_text().isEmpty());
  }

  void cancellingTheSaveDialogOfThePromptStopsTheCommand() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 5;"));
    const auto save = AnswerNextQuestion(QMessageBox::Save);
    const auto cancel = ChooseFile(QString());
    Trigger(shown, names::kNewModelCommand);
    QCOMPARE(shown.pane_text(), QStringLiteral("simulate 5;"));
  }

  void nothingIsAskedForATextAsOpenedOrSaved() {
    ShownMainWindow shown;
    const QString path = shown.folder.models() + QStringLiteral("/m.txt");
    WriteFile(path, kModelFile);
    auto asked = std::make_shared<bool>(false);
    const auto question = AnswerNextQuestion(QMessageBox::Cancel, asked);
    {
      const auto choose = ChooseFile(path);
      Trigger(shown, names::kOpenModelCommand);
    }
    shown.window->ShowCodeEditor();
    shown.window->ShowVisualEditor();
    Trigger(shown, names::kNewModelCommand);
    QVERIFY(!*asked);
    QVERIFY(shown.pane_text().isEmpty());
  }

  void exitAsksAndCanBeCancelled() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("simulate 5;"));
    {
      const auto cancel = AnswerNextQuestion(QMessageBox::Cancel);
      Trigger(shown, names::kExitCommand);
    }
    QVERIFY(shown.window->isVisible());
    const auto discard = AnswerNextQuestion(QMessageBox::Discard);
    Trigger(shown, names::kExitCommand);
    QVERIFY(!shown.window->isVisible());
  }
};

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::FileCommandsTest)
#include "file_commands_test.moc"
