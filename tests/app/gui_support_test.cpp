#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "app/gui_text.h"
#include "app/model_file.h"
#include "app/text_pane.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "gui_test_support.h"

namespace qsim::gui {
namespace {

// The message of the error `action` throws, or "" when it throws none.
template <typename Action>
QString ErrorOf(Action action) {
  try {
    action();
  } catch (const QsimError& error) {
    return MessageText(error);
  }
  return QString();
}

}  // namespace

class GuiSupportTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void textsCrossTheBoundaryInWindows1251() {
    QCOMPARE(ToCp1251(QStringLiteral("Очередь")), std::string("Очередь"_cp));
    QCOMPARE(FromCp1251("Очередь"_cp), QStringLiteral("Очередь"));
    QCOMPARE(ToCp1251(QStringLiteral("日")), std::string("?"));
  }

  void messagesAreWindows1251UnlessTheyAreUtf8() {
    QCOMPARE(MessageText(QsimError(std::string("'длина' is not a valid integer value"_cp))),
             QStringLiteral("'длина' is not a valid integer value"));
    const std::string system_reason = "Cannot create file \"/tmp/отчеты/r.htm\". Нет такого файла";
    QCOMPARE(MessageText(QsimError(system_reason)), QString::fromStdString(system_reason));
  }

  void paneLinesLeaveOutAnEmptyLastLine() {
    QPlainTextEdit pane;
    pane.setPlainText(QStringLiteral("очередь 1;\n\nla 2;\n"));
    QCOMPARE(PaneLines(pane),
             std::vector<std::string>({std::string("очередь 1;"_cp), "", "la 2;"}));
    QCOMPARE(CountedLines(pane), 3);
  }

  void settingTheSameLinesKeepsTheCursor() {
    QPlainTextEdit pane;
    pane.setPlainText(QStringLiteral("a;\nb;"));
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(3);
    pane.setTextCursor(cursor);
    SetPaneLines(pane, {"a;", "b;"});
    QCOMPARE(pane.textCursor().position(), 3);
    SetPaneLines(pane, {"a;", "c;"});
    QCOMPARE(pane.toPlainText(), QStringLiteral("a;\nc;"));
  }

  void modelFilesSplitAtEveryLineEnd() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("m.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("a\r\nb\rc\nd\r\n");
    file.close();
    QCOMPARE(ReadModelFile(path), std::vector<std::string>({"a", "b", "c", "d"}));
  }

  void modelFilesAreWrittenWithCrLf() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("m.txt"));
    WriteModelFile(path, {std::string("имя"_cp), "", "simulate 5;"});
    QCOMPARE(FileBytes(path), QByteArray("\xE8\xEC\xFF\r\n\r\nsimulate 5;\r\n"));
  }

  void missingFileCannotBeOpened() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("нет.txt"));
    QCOMPARE(ErrorOf([&] { ReadModelFile(path); }),
             QStringLiteral("Cannot open file \"") + path +
                 QStringLiteral("\". No such file or directory"));
  }

  void fileInAMissingFolderCannotBeCreated() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing/m.txt"));
    const QString message = ErrorOf([&] { WriteModelFile(path, {"a"}); });
    QVERIFY2(
        message.startsWith(QStringLiteral("Cannot create file \"") + path + QStringLiteral("\". ")),
        qPrintable(message));
    QVERIFY(!QFile::exists(path));
  }

  void failedSaveLeavesTheOldFileWhole() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("m.txt"));
    WriteModelFile(path, {"simulate 1;"});
    QString message;
    {
      // A file size limit makes the new text fail to be written, whoever runs this.
      const FileSizeLimit limit(4096);
      message = ErrorOf([&] { WriteModelFile(path, {std::string(10000, 'x')}); });
    }
    QVERIFY2(message.startsWith(QStringLiteral("Cannot create file \"") + path),
             qPrintable(message));
    QCOMPARE(FileBytes(path), QByteArray("simulate 1;\r\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList({"m.txt"}));
  }
};

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::GuiSupportTest)
#include "gui_support_test.moc"
