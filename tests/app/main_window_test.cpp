#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "app/object_names.h"
#include "app/program_start.h"
#include "app/window_titles.h"
#include "gui_test_support.h"

namespace qsim::gui {
namespace {

QStringList ToolTips(const QToolBar& bar) {
  QStringList tips;
  for (const QAction* action : bar.actions())
    tips.append(action->isSeparator() ? QStringLiteral("-") : action->toolTip());
  return tips;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startUpShowsTheEmptyModelInTheVisualEditor() {
    ShownMainWindow shown;
    QCOMPARE(shown.window->windowTitle(),
             QStringLiteral("Система имитационного моделирования v 1.0"));
    QVERIFY(shown.text_pane().isHidden());
    QVERIFY(shown.canvas().isVisible());
    QVERIFY(shown.editing_bar().isVisible());
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 0 0;\nsimulate 0;"));
    QCOMPARE(shown.line_count(), QStringLiteral("Всего строк: 2"));
    QVERIFY(shown.window->model_file_name().isEmpty());
  }

  void startUpDrawsTheTerminatorOnAWhiteCanvas() {
    ShownMainWindow shown;
    const RasterCanvas& picture = shown.window->picture();
    QCOMPARE(picture.PixelAt(3, 2), kBlack);  // the cross of the terminator at (0, 0)
    QCOMPARE(picture.PixelAt(500, 500), kWhite);
    const QImage shown_pixels = shown.canvas().grab().toImage();
    QCOMPARE(shown_pixels.pixelColor(3, 2), QColor(Qt::black));
    QCOMPARE(shown_pixels.pixelColor(40, 40), QColor(Qt::white));
  }

  void applicationTitleIsSetBeforeTheWindows() {
    PrepareApplication(*qApp);
    QCOMPARE(QApplication::applicationName(),
             QStringLiteral("Система имитационного моделирования вычислительных систем"));
  }

  void toolBarsAndMenuCarryTheCommands() {
    ShownMainWindow shown;
    const auto* command_bar = shown.window->findChild<QToolBar*>(QLatin1String(names::kCommandBar));
    QCOMPARE(ToolTips(*command_bar),
             QStringList({"Новая модель", "Открыть модель", "Сохранить модель", "-",
                          "Параметры моделирования", "Начать моделирование",
                          "Расчет по изменяемым параметрам", "-", "Редактор кода",
                          "Визуальный редактор", "-", "о программе"}));
    QCOMPARE(ToolTips(*shown.window->findChild<QToolBar*>(QLatin1String(names::kEditingBar))),
             QStringList({"Добавить генератор заявок", "Добавить очередь", "Добавить устройство",
                          "-", "Соединить элементы", "Разъединить элементы", "-",
                          "Переместить элемент", "-", "Удалить элемент"}));
    QStringList menus;
    for (const QAction* menu : shown.window->menuBar()->actions())
      menus.append(menu->text());
    QCOMPARE(menus, QStringList({"Файл", "Правка", "Расчет", "Интерфейс", "Справка"}));
    for (const QAction* action : command_bar->actions())
      QVERIFY(action->isSeparator() || !action->icon().isNull());
  }

  void fileDialogsStartInTheModelsFolder() {
    ShownMainWindow shown;
    const auto* open = shown.window->findChild<QFileDialog*>(QLatin1String(names::kOpenDialog));
    const auto* save = shown.window->findChild<QFileDialog*>(QLatin1String(names::kSaveDialog));
    QCOMPARE(open->windowTitle(), QStringLiteral("Открыть описание модели"));
    QCOMPARE(save->windowTitle(), QStringLiteral("Сохранить описание модели"));
    const QStringList filters{"Текстовые описания моделей (*.txt)", "Все файлы (*)"};
    QCOMPARE(open->nameFilters(), filters);
    QCOMPARE(save->nameFilters(), filters);
    QCOMPARE(save->defaultSuffix(), QStringLiteral("txt"));
    QCOMPARE(open->directory().absolutePath(), QDir(shown.folder.models()).absolutePath());
    QCOMPARE(save->directory().absolutePath(), QDir(shown.folder.models()).absolutePath());
  }

  void lineCountLeavesOutAnEmptyLastLine() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("a\nb\n"));
    QCOMPARE(shown.line_count(), QStringLiteral("Всего строк: 2"));
    shown.text_pane().setPlainText(QStringLiteral("a\n\n"));
    QCOMPARE(shown.line_count(), QStringLiteral("Всего строк: 2"));
    shown.text_pane().clear();
    QCOMPARE(shown.line_count(), QStringLiteral("Всего строк: 0"));
  }

  void codeEditorShowsThePaneAndErasesThePicture() {
    ShownMainWindow shown;
    shown.window->ShowCodeEditor();
    QVERIFY(shown.text_pane().isVisible());
    QVERIFY(shown.canvas().isHidden());
    QVERIFY(shown.editing_bar().isHidden());
    QVERIFY(IsBlank(shown.window->picture()));
  }

  // The lines the reader ignores are named before they go, and undo brings
  // them back.
  void switchingEditorsDropsIgnoredLinesAndRewritesInCanonicalOrder() {
    ShownMainWindow shown;
    const QString typed = QStringLiteral(
        "// a comment\nsimulate 50;\nqueue 2;\nlen 5;\nGenerator 3;\ngenerator 1;\nla 3;");
    shown.TypeModel(typed);
    auto asked = std::make_shared<QString>();
    {
      const auto go_on = OnModal<QMessageBox>([asked](QMessageBox* box) {
        *asked = box->text();
        box->button(QMessageBox::Ok)->click();
      });
      shown.window->ShowVisualEditor();
    }
    QVERIFY2(asked->startsWith(QStringLiteral("Строки 1, 5 описания модели не будут прочитаны")),
             qPrintable(*asked));
    QCOMPARE(shown.window->statusBar()->currentMessage(),
             QStringLiteral("Не будут прочитаны строки: 1, 5"));
    QVERIFY(shown.text_pane().isHidden());
    shown.window->ShowCodeEditor();
    QCOMPARE(shown.pane_text(),
             QStringLiteral("generator 1;\nname ;\nxc 0;\nyc 0;\nla 3;\nprior 0;\nrasp 0;\n"
                            "disp 0;\ntransfer 0;\n\nqueue 2;\nname ;\nxc 0;\nyc 0;\nlen 5;\n"
                            "discip fifo;\ntransfer 0;\n\nterm_crd 0 0;\nsimulate 50;"));
    QCOMPARE(shown.line_count(), QStringLiteral("Всего строк: 20"));
    shown.window->Undo();
    QCOMPARE(shown.pane_text(), typed);
  }

  void visualEditorDrawsTheModelRead() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("queue 1;\nxc 100;\nyc 200;\nterm_crd 300 40;"));
    shown.window->ShowVisualEditor();
    QCOMPARE(shown.window->picture().PixelAt(107, 205), kBlack);  // a slot bar of the queue
    QCOMPARE(shown.window->picture().PixelAt(303, 42), kBlack);   // the terminator's cross
  }

  void readingErrorShowsTheErrorBoxAndLeavesTheView() {
    ShownMainWindow shown;
    shown.TypeModel(QStringLiteral("generator 1;\nxc 10;+\nla x;\nyc 5;+"));
    auto seen = std::make_shared<SeenMessageBox>();
    const auto watch = CloseNextMessageBox(seen);
    shown.window->ShowVisualEditor();
    QCOMPARE(seen->text, QStringLiteral("Строка 3: 'x' is not a valid floating point value."));
    QCOMPARE(seen->title, ApplicationTitle());
    QCOMPARE(seen->icon, int(QMessageBox::Critical));
    QVERIFY(shown.text_pane().isVisible());
    QCOMPARE(shown.text_pane().textCursor().blockNumber(), 2);
    QCOMPARE(shown.text_pane().textCursor().positionInBlock(), 0);
    QVERIFY(shown.canvas().isHidden());
    // Lines are shortened up to the failing line, not beyond it.
    QCOMPARE(shown.pane_text(), QStringLiteral("generator 1;\nxc 10\nla x;\nyc 5;+"));
    QVERIFY(IsBlank(shown.window->picture()));
  }

  void newModelKeepsRunSettingsAndTerminator() {
    ShownMainWindow shown;
    shown.TypeModel(
        QStringLiteral("generator 1;\nxc 100;\nyc 50;\nterm_crd 300 40;\n"
                       "simulate 77;\nprocess_all 2;"));
    shown.window->ShowVisualEditor();
    const auto watch = AnswerNextQuestion(QMessageBox::Discard);
    shown.window->findChild<QAction*>(QLatin1String(names::kNewModelCommand))->trigger();
    QVERIFY(shown.pane_text().isEmpty());
    QCOMPARE(shown.line_count(), QStringLiteral("Всего строк: 0"));
    QVERIFY(shown.canvas().isVisible());
    QVERIFY(IsBlank(shown.window->picture()));
    const ModelStore& store = shown.window->store();
    QVERIFY(!store.generator(1).exists);
    QCOMPARE(store.term_x, 300);
    QCOMPARE(store.term_y, 40);
    QCOMPARE(store.settings.simulate, 77);
    QVERIFY(store.settings.process_all);
    QCOMPARE(store.settings.retry_interval, 2.0);
    shown.window->ShowCodeEditor();
    QCOMPARE(shown.pane_text(), QStringLiteral("term_crd 300 40;\nprocess_all 2;\nsimulate 77;"));
  }

  void helpOpensThePageBesideTheProgram() {
    ShownMainWindow shown;
    shown.window->findChild<QAction*>(QLatin1String(names::kHelpCommand))->trigger();
    QCOMPARE(*shown.opened,
             QStringList({shown.folder.path() + QStringLiteral("/help/index.html")}));
  }

  void aboutBoxShowsNameAndVersion() {
    ShownMainWindow shown;
    QString caption;
    QStringList labels;
    const auto watch = OnModal<AboutDialog>([&](AboutDialog* about) {
      caption = about->windowTitle();
      for (const QLabel* label : about->findChildren<QLabel*>())
        labels.append(label->text());
      QVERIFY(about->findChild<QLabel*>(QStringLiteral("TitleLabel"))->font().bold());
      QVERIFY(about->findChild<QLabel*>(QStringLiteral("TitleLabel"))->font().underline());
      about->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    shown.window->findChild<QAction*>(QLatin1String(names::kAboutCommand))->trigger();
    QCOMPARE(caption, QStringLiteral("о программе"));
    QCOMPARE(labels, QStringList({"Система имитационного моделирования v 1.0", "версия 1.0"}));
  }
};

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::MainWindowTest)
#include "main_window_test.moc"
