#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QValueAxis>
#include <QtTest>

#include <memory>

#include "app/main_window.h"
#include "app/object_names.h"
#include "app/progress_dialog.h"
#include "app/sweep_cell_text.h"
#include "app/sweep_column_titles.h"
#include "app/sweep_dialog.h"
#include "app/sweep_results_window.h"
#include "engine/random_generator.h"
#include "gui_test_support.h"
#include "language/model_text_reader.h"
#include "language/model_text_writer.h"

namespace qsim::gui {
namespace {

using Lines = std::vector<std::string>;
const NumberFormat kPoint{'.'};

// A busy single line with refusals: arrivals at rate 4, services of mean 0.2, and
// a queue of length 1 that the series lengthens.
Lines BusyLine(int requests) {
  return {"generator 1;", "la 4;",         "rasp 0;",
          "disp 1;",      "transfer 1;",   "1 queue 1;",
          "queue 1;",     "len 1;",        "transfer 1;",
          "1 device 1;",  "device 1;",     "k 1;",
          "v 0.2;",       "rasp 0;",       "disp 1;",
          "transfer 1;",  "1 terminator;", "simulate " + std::to_string(requests) + ";"};
}

// A dialog over a store of its own, shown on the offscreen screen.
class SweepFixture {
 public:
  SweepFixture() : dialog_(*store_, kPoint, reports_.path()) {}

  void Read(Lines text) { ReadModelText(text, *store_, kPoint); }
  void Open() {
    dialog_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog_));
  }
  template <typename Widget>
  Widget* Control(const char* name) const {
    return dialog_.findChild<Widget*>(QLatin1String(name));
  }
  QComboBox* combo() const { return Control<QComboBox>("ComboBox1"); }
  QString Text(const char* edit) const { return Control<QLineEdit>(edit)->text(); }
  void SetText(const char* edit, const QString& text) { Control<QLineEdit>(edit)->setText(text); }
  void Choose(int index) { combo()->setCurrentIndex(index); }
  void Press(const char* button) { Control<QPushButton>(button)->click(); }
  QStringList Entries() const {
    QStringList texts;
    for (int i = 0; i < combo()->count(); ++i)
      texts << combo()->itemText(i);
    return texts;
  }
  QStringList Listed() const {
    QStringList lines;
    const auto* list = Control<QListWidget>("ListBox1");
    for (int i = 0; i < list->count(); ++i)
      lines << list->item(i)->text();
    return lines;
  }
  SweepResultsWindow* results() const { return dialog_.findChild<SweepResultsWindow*>(); }
  ModelStore& store() { return *store_; }
  SweepDialog& dialog() { return dialog_; }
  QString reports() const { return reports_.path(); }

 private:
  QTemporaryDir reports_;
  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  SweepDialog dialog_;
};

// Generators in slots 1 and 4, a queue in slot 2 and a device in slot 3.
void PlaceScatteredElements(ModelStore& store) {
  store.generator(1).exists = true;
  store.generator(1).name.assign("G1");
  store.generator(4).exists = true;
  store.generator(4).la = 3;
  store.queue(2).exists = true;
  store.queue(2).len = 5;
  store.device(3).exists = true;
  store.device(3).name.assign("D3");
  store.device(3).k = 4;
  store.device(3).v = 0.5;
}

double Cell(const QTableWidget& table, int row, int column) {
  bool ok = false;
  const double value = table.item(row, column)->text().toDouble(&ok);
  return ok ? value : -1;
}

int ColumnNamed(const QTableWidget& table, const QString& name) {
  for (int column = 0; column < table.columnCount(); ++column) {
    if (table.horizontalHeaderItem(column)->text() == name)
      return column;
  }
  return -1;
}

// Lists the range of queue 1's length from 1 to 9 in five values.
void AddQueueRange(SweepFixture& f) {
  f.Open();
  f.Choose(1);
  f.SetText("Edit2", QStringLiteral("9"));
  f.SetText("Edit3", QStringLiteral("5"));
  f.Press("Button1");
  QCOMPARE(f.Listed().size(), 1);
}

}  // namespace

class SweepDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void layoutAndCaptions() {
    SweepFixture f;
    f.Open();
    QCOMPARE(f.dialog().windowTitle(), QStringLiteral("Расчет по изменяемым параметрам"));
    QVERIFY(f.dialog().width() >= 696 && f.dialog().height() >= 480);
    QVERIFY(f.Control<QWidget>("GroupBox1")->width() >= 465);
    QVERIFY(f.combo()->width() >= 449);
    QVERIFY(!f.combo()->isEditable());  // only the model's parameters can be chosen
    QVERIFY(f.Control<QLineEdit>("Edit1")->isReadOnly());
    QCOMPARE(f.Text("Edit3"), QStringLiteral("10"));
    QCOMPARE(f.Control<QPushButton>("Button3")->text(), QStringLiteral("Очистить"));
    QVERIFY(f.Control<QPushButton>("Button4")->width() >= 145);
    QCOMPARE(f.Control<QSpinBox>("SpinEdit1")->value(), 1);
    // Each label shows its whole text and ends before the control it names.
    const std::pair<const char*, const char*> labelled[] = {
        {"Label1", "Edit1"}, {"Label2", "Edit2"}, {"Label3", "Edit3"}, {"Label4", "SpinEdit1"}};
    for (const auto& [label_name, control_name] : labelled) {
      const auto* label = f.Control<QLabel>(label_name);
      QVERIFY2(label->sizeHint().width() <= label->width(), label_name);
      QVERIFY2(label->geometry().right() < f.Control<QWidget>(control_name)->x(), label_name);
    }
  }

  void parametersAreListedByKindThenSlot() {
    SweepFixture f;
    PlaceScatteredElements(f.store());
    f.Open();
    QCOMPARE(f.Entries(),
             (QStringList{"Интенсивность потока заявок генератора 1 (G1)",
                          "Интенсивность потока заявок генератора 4 ()", "Длина очереди 2 ()",
                          "Среднее время обслуживания в устройстве 3 (D3)",
                          "Число каналов в устройстве 3 (D3)"}));
    QCOMPARE(f.combo()->currentIndex(), -1);
  }

  void theChannelEntryShowsTheChannelCountAndZero() {
    SweepFixture f;
    PlaceScatteredElements(f.store());
    f.Open();
    f.Choose(4);
    QCOMPARE(f.Text("Edit1"), QStringLiteral("4"));
    QCOMPARE(f.Text("Edit2"), QStringLiteral("0"));
    f.Choose(3);
    QCOMPARE(f.Text("Edit1"), QStringLiteral("0.5"));
  }

  void addingWithoutAParameterOrAnEndValueSaysWhatIsMissing() {
    SweepFixture f;
    PlaceScatteredElements(f.store());
    f.Open();
    auto seen = std::make_shared<SeenMessageBox>();
    auto watch = CloseNextMessageBox(seen);
    f.Press("Button1");
    QCOMPARE(seen->text, QStringLiteral("Выберите параметр в списке."));
    f.Choose(2);
    f.SetText("Edit2", QStringLiteral(" "));
    seen = std::make_shared<SeenMessageBox>();
    watch = CloseNextMessageBox(seen);
    f.Press("Button1");
    QCOMPARE(seen->text, QStringLiteral("Введите конечное значение параметра."));
    QVERIFY(f.Control<QLineEdit>("Edit3")->isEnabled());
    QVERIFY(f.Listed().isEmpty());
  }

  void aWholeIncrementIsListedWithoutAFraction() {
    SweepFixture f;
    PlaceScatteredElements(f.store());
    f.Open();
    f.Choose(2);
    f.SetText("Edit2", QStringLiteral("14"));
    f.Press("Button1");
    QCOMPARE(f.Listed(), QStringList{"Длина очереди 2 () от 5 до 14 шаг: 1"});
    QCOMPARE(f.dialog().plan().RecordedRangeOf({ElementKind::Queue, 2, SweepField::Length}).to, 14);
  }

  void aDeviceRangeIsStoredAndListed() {
    SweepFixture f;
    PlaceScatteredElements(f.store());
    f.Open();
    f.Choose(4);
    f.SetText("Edit2", QStringLiteral("13"));
    f.Press("Button1");
    QCOMPARE(f.Listed(), QStringList{"Число каналов в устройстве 3 (D3) от 4 до 13 шаг: 1"});
    QCOMPARE(f.dialog().plan().RecordedRangeOf({ElementKind::Device, 3, SweepField::Channels}).to,
             13);
    f.Press("Button3");
    QVERIFY(f.Listed().isEmpty());
    QCOMPARE(f.dialog().plan().RecordedRangeOf({ElementKind::Device, 3, SweepField::Channels}).to,
             0);
  }

  void aBadStepCountShowsTheErrorAndLocksNothing() {
    SweepFixture f;
    PlaceScatteredElements(f.store());
    f.Open();
    f.Choose(2);
    f.SetText("Edit3", QStringLiteral("x"));
    const auto seen = std::make_shared<SeenMessageBox>();
    const auto watch = CloseNextMessageBox(seen);
    f.Press("Button1");
    QCOMPARE(seen->text, QStringLiteral("'x' is not a valid integer value."));
    QVERIFY(f.Control<QLineEdit>("Edit3")->isEnabled());
    QVERIFY(f.Listed().isEmpty());
  }

  void reopeningAfterADeleteKeepsTheListedLines() {
    SweepFixture f;
    PlaceScatteredElements(f.store());
    f.Open();
    f.Choose(1);
    f.SetText("Edit2", QStringLiteral("12"));
    f.Press("Button1");
    f.dialog().hide();
    f.store().generator(4).exists = false;
    f.Open();
    QCOMPARE(f.Entries().size(), 4);
    QVERIFY(!f.Entries().join('\n').contains(QStringLiteral("генератора 4")));
    QCOMPARE(f.Listed(),
             QStringList{"Интенсивность потока заявок генератора 4 () от 3 до 12 шаг: 1"});
    QVERIFY(!f.Control<QLineEdit>("Edit3")->isEnabled());
  }

  void aLongerQueueRefusesLessAndTheStoreIsKept() {
    SweepFixture f;
    f.Read(BusyLine(2000));
    const Lines before = WriteModelText(f.store(), kPoint);
    AddQueueRange(f);
    f.Press("Button4");
    SweepResultsWindow* results = f.results();
    QVERIFY(results != nullptr && results->isVisible());
    const auto* table = results->findChild<QTableWidget*>(QStringLiteral("ResultsTable"));
    QCOMPARE(table->rowCount(), 5);
    const int refused = ColumnNamed(*table, QStringLiteral("Генератор 1: необслуженных заявок"));
    QVERIFY(refused > 0);
    for (int row = 0; row < 5; ++row)
      QCOMPARE(Cell(*table, row, 0), 1.0 + 2 * row);
    for (int row = 1; row < 5; ++row)
      QVERIFY2(Cell(*table, row, refused) < Cell(*table, row - 1, refused),
               qPrintable(QString::number(row)));
    QCOMPARE(WriteModelText(f.store(), kPoint), before);
    QCOMPARE(f.store().queue(1).len, 1);
    QCOMPARE(f.dialog().plan().RecordedRangeOf({ElementKind::Queue, 1, SweepField::Length}).to, 9);
  }

  void theResultsChartTheFirstQueuesLengthOnHalfTheWindowAndShowAgain() {
    SweepFixture f;
    f.Read(BusyLine(200));
    AddQueueRange(f);
    f.Press("Button4");
    SweepResultsWindow* results = f.results();
    QVERIFY(results != nullptr);
    QCOMPARE(results->findChild<QComboBox*>(QStringLiteral("StatisticBox"))->currentText(),
             SweepColumnTitle("queue_1_mean_length", f.store()));
    const auto* chart = results->findChild<QWidget*>(QStringLiteral("ResultsChart"));
    QTRY_VERIFY(chart->height() >= 0.4 * results->height());
    results->close();
    QVERIFY(f.dialog().ShowLastResults());
    QVERIFY(results->isVisible());
  }

  void theTableIsExportedWithARowPerPoint() {
    SweepFixture f;
    f.Read(BusyLine(500));
    AddQueueRange(f);
    f.Control<QSpinBox>("SpinEdit1")->setValue(3);
    f.Press("Button4");
    QVERIFY(f.results() != nullptr);
    // The progress window counted the points and their runs to the end.
    QCoreApplication::processEvents();
    QCOMPARE(f.dialog().findChild<QLabel*>(QStringLiteral("SeriesLabel"))->text(),
             QStringLiteral("Точка 5 из 5, прогон 3 из 3"));
    const auto* table = f.results()->findChild<QTableWidget*>(QStringLiteral("ResultsTable"));
    QVERIFY(table->item(0, 1)->text().contains(QStringLiteral(" ± ")));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sweep.csv"));
    // The export button asks for the name in Qt's own file dialog, then saves.
    QVERIFY(f.results()->findChild<QPushButton*>(QStringLiteral("ExportButton")) != nullptr);
    QVERIFY(f.results()->SaveCsv(path));
    const QList<QByteArray> rows = FileBytes(path).trimmed().split('\n');
    QCOMPARE(rows.size(), 6);
    // The CSV is for programs: its own column names and every digit.
    QCOMPARE(rows[0],
             "value,generator_1_served,generator_1_served_ci95,generator_1_refused,"
             "generator_1_refused_ci95,generator_1_mean_stay,generator_1_mean_stay_ci95,"
             "queue_1_mean_length,queue_1_mean_length_ci95,queue_1_mean_wait,"
             "queue_1_mean_wait_ci95,device_1_utilisation,device_1_utilisation_ci95");
    QVERIFY(rows[1].startsWith("1,"));
    QVERIFY(rows[5].startsWith("9,"));
    const QByteArray mean_stay = rows[1].split(',')[5];
    QVERIFY2(mean_stay.size() > 6, mean_stay.constData());
    const int stay_column =
        ColumnNamed(*table, QStringLiteral("Генератор 1: среднее время пребывания в системе"));
    QCOMPARE(table->item(0, stay_column)->text().section(' ', 0, 0),
             FourDigitText(mean_stay.toDouble(), kPoint));
    // The save dialog starts where the reports are.
    const auto* save = f.results()->findChild<QFileDialog*>(QStringLiteral("SaveDialog"));
    QCOMPARE(save->directory().absolutePath(), QDir(f.reports()).absolutePath());
  }

  void theChartShowsTheChosenStatisticWithItsBand() {
    SweepFixture f;
    f.Read(BusyLine(300));
    AddQueueRange(f);
    f.Control<QSpinBox>("SpinEdit1")->setValue(2);
    f.Press("Button4");
    QVERIFY(f.results() != nullptr);
    auto* statistic = f.results()->findChild<QComboBox*>(QStringLiteral("StatisticBox"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    statistic->setCurrentText(QStringLiteral("Генератор 1: необслуженных заявок"));
    QLocale::setDefault(QLocale::c());
    const QChart* chart =
        f.results()->findChild<QChartView*>(QStringLiteral("ResultsChart"))->chart();
    QCOMPARE(chart->series().size(), 2);
    QVERIFY(qobject_cast<const QAreaSeries*>(chart->series()[0]) != nullptr);
    const auto* mean = qobject_cast<const QLineSeries*>(chart->series()[1]);
    QCOMPARE(mean->name(), QStringLiteral("Генератор 1: необслуженных заявок"));
    QCOMPARE(mean->count(), 5);
    QCOMPARE(mean->at(4).x(), 9.0);
    const auto* table = f.results()->findChild<QTableWidget*>(QStringLiteral("ResultsTable"));
    const int refused = ColumnNamed(*table, mean->name());
    QCOMPARE(FourDigitText(mean->at(0).y(), kPoint),
             table->item(0, refused)->text().section(' ', 0, 0));
    // A count is read against 0, in the user's number form.
    QCOMPARE(qobject_cast<const QValueAxis*>(chart->axes(Qt::Vertical).value(0))->min(), 0.0);
    QVERIFY(chart->localizeNumbers());
    QCOMPARE(chart->locale().decimalPoint(), QStringLiteral(","));
  }

  void columnsAreNamedByElementAndStatistic() {
    ModelStore store;
    PlaceScatteredElements(store);
    store.queue(2).name.assign("Q");
    const std::pair<const char*, const char*> cases[] = {
        {"generator_1_served", "Генератор 1 (G1): обслуженных заявок"},
        {"generator_4_refused", "Генератор 4: необслуженных заявок"},
        {"generator_4_mean_stay", "Генератор 4: среднее время пребывания в системе"},
        {"queue_2_mean_length", "Очередь 2 (Q): средняя длина"},
        {"queue_2_mean_wait", "Очередь 2 (Q): среднее время ожидания"},
        {"device_3_utilisation", "Устройство 3 (D3): коэффициент использования"},
        {"queue_151_mean_length", "queue_151_mean_length"},
        {"queue_2_mean_depth", "queue_2_mean_depth"},
    };
    for (const auto& [column, title] : cases)
      QCOMPARE(SweepColumnTitle(column, store), QString::fromUtf8(title));
  }

  void resultsHaveFourSignificantDigitsInEitherLocale() {
    struct Case {
      double value;
      const char* point;
      const char* comma;
    };
    const Case cases[] = {{0.123456, "0.1235", "0,1235"},
                          {1234.56, "1235", "1235"},
                          {12345.6, "12350", "12350"},
                          {1.5, "1.5", "1,5"},
                          {-2.71828, "-2.718", "-2,718"},
                          {0.000012346, "1.235E-5", "1,235E-5"},
                          {0, "0", "0"},
                          {99999.9, "100000", "100000"}};
    for (const Case& c : cases) {
      QCOMPARE(FourDigitText(c.value, kPoint), QString::fromUtf8(c.point));
      QCOMPARE(FourDigitText(c.value, NumberFormat{','}), QString::fromUtf8(c.comma));
    }
    QCOMPARE(StatisticCellText({3.14159, 0.0123456}, true, NumberFormat{','}),
             QStringLiteral("3,142 ± 0,01235"));
    QCOMPARE(StatisticCellText({3.14159, 0.0123456}, false, kPoint), QStringLiteral("3.142"));
    QCOMPARE(StatisticCellText({std::nullopt, std::nullopt}, true, kPoint), QStringLiteral("-"));
  }

  void aCancelledSeriesKeepsTheStore() {
    SweepFixture f;
    f.Read(BusyLine(50000000));
    const Lines before = WriteModelText(f.store(), kPoint);
    AddQueueRange(f);
    bool cancelled = false;
    const auto watch = OnModal<RunProgressDialog>([&](RunProgressDialog* progress) {
      cancelled = true;
      progress->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    });
    f.Press("Button4");
    QVERIFY(cancelled);
    QCOMPARE(WriteModelText(f.store(), kPoint), before);
    if (f.results() != nullptr)
      QVERIFY(f.results()->windowTitle().contains(QStringLiteral("прерван")));
  }

  void runningWithNoRangesRunsNothing() {
    SweepFixture f;
    f.Read(BusyLine(500));
    f.Open();
    const auto seen = std::make_shared<SeenMessageBox>();
    const auto watch = CloseNextMessageBox(seen);
    f.Press("Button4");
    QCOMPARE(seen->text, QStringLiteral("Не добавлено ни одного диапазона параметров."));
    QVERIFY(f.results() == nullptr);
  }

  void theMainWindowOpensTheDialogOnTheTextItShows() {
    ShownMainWindow shown;
    QStringList text;
    for (const std::string& line : BusyLine(100))
      text << QString::fromStdString(line);
    shown.TypeModel(text.join('\n'));
    QStringList entries;
    const auto watch = OnModal<SweepDialog>([&](SweepDialog* dialog) {
      const auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
      for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
      dialog->reject();
    });
    QAction* item = nullptr;
    for (QAction* menu : shown.window->menuBar()->actions()) {
      for (QAction* action : menu->menu()->actions()) {
        if (menu->text() == QStringLiteral("Расчет") &&
            action->objectName() == names::kSweepCommand)
          item = action;
      }
    }
    QVERIFY(item != nullptr);
    QCOMPARE(item->text(), QStringLiteral("Расчет по изменяемым параметрам"));
    QVERIFY(shown.window->findChild<QToolBar*>(QLatin1String(names::kCommandBar))
                ->actions()
                .contains(item));
    item->trigger();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries[1], QStringLiteral("Длина очереди 1 ()"));
  }

  void aRangeOfADeletedElementIsRefused() {
    SweepFixture f;
    f.Read(BusyLine(500));
    AddQueueRange(f);
    f.store().queue(1).exists = false;
    const auto seen = std::make_shared<SeenMessageBox>();
    const auto watch = CloseNextMessageBox(seen);
    f.Press("Button4");
    QVERIFY(seen->text.startsWith(QStringLiteral("Длина очереди 1 () от 1 до 9 шаг: 2: ")));
    QVERIFY(f.results() == nullptr);
  }
};

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::SweepDialogTest)
#include "sweep_dialog_test.moc"
