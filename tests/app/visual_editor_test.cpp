#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>

#include "app/device_dialog.h"
#include "app/element_dialog.h"
#include "app/generator_dialog.h"
#include "app/main_window.h"
#include "app/object_names.h"
#include "app/probability_dialog.h"
#include "app/queue_dialog.h"
#include "app/transition_dialog.h"
#include "editor/model_drawing.h"
#include "gui_test_support.h"
#include "language/model_text_writer.h"

namespace qsim::gui {
namespace {

// The main window in the visual editor, driven as a user drives it: tool
// buttons, and clicks, double clicks and pointer moves at canvas points, with
// the pointer really there.
struct Editor {
  explicit Editor(const QString& model = QString()) {
    if (!model.isEmpty()) {
      shown.TypeModel(model);
      shown.window->ShowVisualEditor();
    }
  }

  QWidget& canvas() const { return shown.canvas(); }
  QAction& Button(const char* name) const {
    return *shown.window->findChild<QAction*>(QLatin1String(name));
  }
  void Press(const char* name) const {
    auto& bar = static_cast<QToolBar&>(shown.editing_bar());
    QTest::mouseClick(bar.widgetForAction(&Button(name)), Qt::LeftButton);
  }
  bool Down(const char* name) const { return Button(name).isChecked(); }
  void PointAt(QPoint p) const { shown.PointAtCanvas(p); }
  void Click(QPoint p) const { shown.ClickCanvas(p); }
  void DoubleClick(QPoint p) const { shown.DoubleClickCanvas(p); }
  void Move(QPoint p) const { shown.MoveOnCanvas(p); }
  QString ElementPanel() const {
    return shown.window->findChild<QLabel*>(QLatin1String(names::kElementPanel))->text();
  }
  const ModelStore& store() const { return shown.window->store(); }
  QString text() const { return shown.pane_text(); }
  RgbColor Pixel(int x, int y) const { return shown.window->picture().PixelAt(x, y); }
  // The picture holds exactly what a fresh drawing of the store gives.
  bool PictureShowsStore() const {
    RasterCanvas expected;
    expected.FillRect(0, 0, RasterCanvas::kWidth, RasterCanvas::kHeight, kWhite);
    DrawModel(store(), expected);
    const auto want = expected.image().bytes;
    const auto have = shown.window->picture().image().bytes;
    return std::equal(want.begin(), want.end(), have.begin(), have.end());
  }

  ShownMainWindow shown;
};

void SetEdit(QWidget* dialog, const char* name, const QString& text) {
  dialog->findChild<QLineEdit*>(QLatin1String(name))->setText(text);
}

void PressOk(QWidget* dialog) {
  QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
}

// Answers the next dialog of type T: `fill` sets its controls, then OK. What the
// dialog showed is kept in `seen` (caption first).
template <typename T>
[[nodiscard]] std::unique_ptr<QTimer> Answer(std::shared_ptr<QStringList> seen,
                                             std::function<void(T*)> fill = {}) {
  return OnModal<T>([seen, fill](T* dialog) {
    seen->append(dialog->windowTitle());
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"}) {
      if (auto* edit = dialog->template findChild<QLineEdit*>(QLatin1String(name)))
        seen->append(edit->text());
    }
    if (auto* list = dialog->template findChild<QComboBox*>(QStringLiteral("ComboBox1"))) {
      for (int i = 0; i < list->count(); ++i)
        seen->append(list->itemText(i));
      seen->append(QStringLiteral("chosen ") + QString::number(list->currentIndex()));
    }
    if (fill)
      fill(dialog);
    PressOk(dialog);
  });
}

// The dialog's own controls that Tab visits, from its first edit field on.
QStringList TabOrder(QWidget* dialog, int count) {
  QStringList order;
  QWidget* at = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"));
  if (auto* first = dialog->findChild<QRadioButton*>(QStringLiteral("RadioButton1")))
    at = first;
  while (order.size() < count) {
    if (at->parentWidget() == dialog && (at->focusPolicy() & Qt::TabFocus) != 0)
      order.append(at->objectName());
    at = at->nextInFocusChain();
  }
  return order;
}

// Lets the event loop run long enough for a dialog to come, if one comes.
void Settle() {
  QTest::qWait(60);
}

const QString kGeneratorAndQueues = QStringLiteral(
    "generator 1;\nname G;\nxc 100;\nyc 100;\nla 2;\ntransfer 1;\n0.75 queue 1;\n\n"
    "queue 1;\nname Q1;\nxc 200;\nyc 100;\nlen 5;\n\n"
    "queue 2;\nname Q2;\nxc 200;\nyc 200;\nlen 5;\n\n"
    "device 1;\nname D;\nxc 300;\nyc 100;\nk 1;\nv 1;\n\n"
    "term_crd 400 100;\nsimulate 10;\n");

// The ways out of a dialog that must leave everything as it was.
enum class WayOut { Escape, CancelButton, CloseButton };

void Leave(QDialog* dialog, WayOut way) {
  switch (way) {
    case WayOut::Escape:
      QTest::keyClick(dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog,
                      Qt::Key_Escape);
      return;
    case WayOut::CancelButton:
      QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CancelButton")),
                        Qt::LeftButton);
      return;
    case WayOut::CloseButton:
      dialog->close();  // what the title bar's close button asks
      return;
  }
}

// Leaves the next dialog of type T by `way`, after typing into its first field.
template <typename T>
[[nodiscard]] std::unique_ptr<QTimer> LeaveNext(WayOut way, std::shared_ptr<int> shown) {
  return OnModal<T>([way, shown](T* dialog) {
    ++*shown;
    if (auto* edit = dialog->template findChild<QLineEdit*>(QStringLiteral("Edit1")))
      edit->setText(QStringLiteral("99"));
    Leave(dialog, way);
  });
}

// The store as model text, to compare it whole.
std::vector<std::string> StoreText(const Editor& editor) {
  return WriteModelText(editor.store(), NumberFormat{'.'});
}

QString HintPanel(const Editor& editor) {
  return editor.shown.window->findChild<QLabel*>(QLatin1String(names::kHintPanel))->text();
}

// The colour the canvas shows at a point, frame included.
QColor Shown(const Editor& editor, QPoint p) {
  return editor.canvas().grab().toImage().pixelColor(p);
}

}  // namespace

class VisualEditorTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void dialogsAreLaidOutAsFixedForms();
  void overlappingBoxesGoToTheHigherSlotAndTheLaterKind();
  void threeAddToolsPlaceThreeElementsOneAtATime();
  void connectSuggestsTheRestOfTheProbability();
  void deviceConnectsToTheTerminator();
  void deletingAQueueRemovesTheTransitionsIntoIt();
  void deletingADeviceRemovesOnlyQueueTransitionsIntoIt();
  void freedSlotIsTakenByTheNextAddition();
  void moveDragsAndDropsTheElement_data();
  void moveDragsAndDropsTheElement();
  void disconnectListsTransitionsInOrderAndRemovesTheChosenOne();
  void statusBarNamesTheElementUnderThePointer();
  void fullTableShowsTheLimitMessage();
  void everyWayOutOfADialogChangesNothing_data();
  void everyWayOutOfADialogChangesNothing();
  void connectInProgressIsShownAndCanBeLeft_data();
  void connectInProgressIsShownAndCanBeLeft();
  void aTargetThatCannotBeConnectedSaysWhy();
  void aBadFieldKeepsTheDialogOpenOnThatField_data();
  void aBadFieldKeepsTheDialogOpenOnThatField();
  void deviceWithoutChannelsCanBeHitMovedAndDeleted();
  void aPlacedElementStartsFromAFreshRecord();
  void statusBarFollowsEveryEdit();
  void dialogOpensOverTheWindowAndEnterPressesOk();
  void theWholeCanvasCanBeReachedAndClickedWhenScrolled();
};
void VisualEditorTest::dialogsAreLaidOutAsFixedForms() {
  Editor editor;
  auto* generator = editor.shown.window->findChild<GeneratorDialog*>();
  auto* queue = editor.shown.window->findChild<QueueDialog*>();
  auto* device = editor.shown.window->findChild<DeviceDialog*>();
  auto* probability = editor.shown.window->findChild<ProbabilityDialog*>();
  auto* transition = editor.shown.window->findChild<TransitionDialog*>();
  auto button = [](QWidget* dialog) {
    return dialog->findChild<QPushButton*>(QStringLiteral("Button1"));
  };
  QCOMPARE(button(generator)->text(), QStringLiteral("ОК"));  // Cyrillic letters
  QCOMPARE(button(queue)->text(), QStringLiteral("OK"));      // Latin letters
  // The least sizes are the forms' own.
  QVERIFY(button(generator)->minimumWidth() >= 73 && button(queue)->minimumWidth() >= 57);
  QVERIFY(generator->findChild<QComboBox*>()->minimumWidth() >= 121);
  QCOMPARE(queue->findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->text(),
           QStringLiteral("FIFO с отн. приоритетом"));
  QVERIFY(button(device)->isDefault());
  auto cancel = [](QWidget* dialog) {
    return dialog->findChild<QPushButton*>(QStringLiteral("CancelButton"));
  };
  for (QWidget* dialog :
       std::initializer_list<QWidget*>{generator, queue, device, probability, transition}) {
    dialog->layout()->activate();
    QCOMPARE(cancel(dialog)->text(), QStringLiteral("Отмена"));
    QVERIFY(QRect(QPoint(), dialog->size()).contains(cancel(dialog)->geometry()));
    QVERIFY(!cancel(dialog)->geometry().intersects(button(dialog)->geometry()));
  }
  // The laws and the transitions are lists to choose from, not text fields.
  QVERIFY(!generator->findChild<QComboBox*>()->isEditable());
  QVERIFY(!device->findChild<QComboBox*>()->isEditable());
  QVERIFY(!transition->findChild<QComboBox*>()->isEditable());
  QCOMPARE(TabOrder(generator, 6),
           QStringList({"Edit1", "Edit3", "Edit4", "Edit5", "Button1", "ComboBox1"}));
  QCOMPARE(TabOrder(queue, 7), QStringList({"RadioButton1", "RadioButton2", "RadioButton3",
                                            "RadioButton4", "Edit1", "Button1", "Edit2"}));
  QCOMPARE(TabOrder(device, 6),
           QStringList({"Edit1", "Edit2", "Edit4", "Button1", "Edit5", "ComboBox1"}));
}

void VisualEditorTest::overlappingBoxesGoToTheHigherSlotAndTheLaterKind() {
  Editor editor(
      QStringLiteral("generator 5;\nname G5;\nxc 100;\nyc 100;\n\n"
                     "queue 7;\nname Q7;\nxc 100;\nyc 100;\n\n"
                     "queue 5;\nname Q5;\nxc 300;\nyc 100;\n\n"
                     "generator 6;\nname G6;\nxc 500;\nyc 100;\n\n"
                     "device 5;\nname D5;\nxc 300;\nyc 100;\nk 1;\n\n"
                     "generator 5;\nxc 100;\nyc 100;\n\nterm_crd 0 0;\n"));
  editor.Move(QPoint(100, 100));
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Очередь 7 (Q7)"));
  editor.Move(QPoint(315, 110));  // the right and bottom edges belong to the box
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Устройство 5 (D5)"));
  editor.Move(QPoint(316, 110));
  QCOMPARE(editor.ElementPanel(), QString());
  auto seen = std::make_shared<QStringList>();
  const auto queue = Answer<QueueDialog>(seen);
  editor.DoubleClick(QPoint(108, 105));
  QCOMPARE(seen->value(0), QStringLiteral("Параметры очереди: 7"));
}

void VisualEditorTest::threeAddToolsPlaceThreeElementsOneAtATime() {
  Editor editor;
  auto seen = std::make_shared<QStringList>();
  const auto generator =
      Answer<GeneratorDialog>(seen, [](GeneratorDialog* d) { SetEdit(d, "Edit1", "4"); });
  const auto queue = Answer<QueueDialog>(seen, [](QueueDialog* d) { SetEdit(d, "Edit1", "7"); });
  const auto device = Answer<DeviceDialog>(seen, [](DeviceDialog* d) { SetEdit(d, "Edit4", "1"); });
  // One tool at a time: arming one raises the other.
  editor.Press(names::kAddGeneratorTool);
  editor.Press(names::kAddQueueTool);
  QVERIFY(!editor.Down(names::kAddGeneratorTool) && editor.Down(names::kAddQueueTool));
  for (const char* tool : {names::kAddGeneratorTool, names::kAddQueueTool, names::kAddDeviceTool}) {
    if (!editor.Down(tool))
      editor.Press(tool);
    editor.Click(QPoint(200, 150));
  }
  QCOMPARE(seen->filter(QStringLiteral("Параметры")),
           QStringList({"Параметры генератора заявок: 1", "Параметры очереди: 1",
                        "Параметры обслуживающего устройства: 1"}));
  // A slot never used opens with its zeros and the first law.
  QCOMPARE(seen->mid(1, 4), QStringList({"0", "0", "0", ""}));
  QVERIFY(seen->contains(QStringLiteral("chosen 0")));
  const ModelStore& store = editor.store();
  QVERIFY(store.generator(1).exists && store.queue(1).exists && store.device(1).exists);
  QCOMPARE(store.generator(1).la, 4.0);
  QCOMPARE(store.queue(1).len, 7);
  QCOMPARE(store.device(1).xc, 200);
  QCOMPARE(store.device(1).yc, 150);
  QVERIFY(!editor.Down(names::kAddGeneratorTool) && !editor.Down(names::kAddQueueTool) &&
          !editor.Down(names::kAddDeviceTool));
  QVERIFY(editor.text().contains(QStringLiteral("generator 1;\nname ;\nxc 200;\nyc 150;\nla 4;")));
  QVERIFY(editor.text().contains(QStringLiteral("queue 1;")));
  QVERIFY(editor.text().contains(QStringLiteral("device 1;")));
  QCOMPARE(editor.Pixel(200, 155), kBlack);
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::connectSuggestsTheRestOfTheProbability() {
  Editor editor(kGeneratorAndQueues);
  editor.Press(names::kConnectTool);
  editor.Click(QPoint(105, 105));  // generator 1, whose transitions sum to 0.75
  auto seen = std::make_shared<QStringList>();
  const auto probability = Answer<ProbabilityDialog>(seen);
  editor.Click(QPoint(305, 105));  // a device is no target for a generator
  Settle();
  QVERIFY(seen->isEmpty());
  QVERIFY(editor.Down(names::kConnectTool));
  editor.Click(QPoint(205, 205));  // queue 2
  QCOMPARE(*seen, QStringList({"Переход из генератора 1 в очередь 2", "0.25"}));
  const GeneratorRecord& generator = editor.store().generator(1);
  QCOMPARE(generator.transfer, 2);
  QCOMPARE(generator.transitions[2].index, 2);
  QCOMPARE(generator.transitions[2].prob, 0.25);
  QVERIFY(editor.text().contains(QStringLiteral("transfer 2;\n0.75 queue 1;\n0.25 queue 2;")));
  QVERIFY(!editor.Down(names::kConnectTool));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::deviceConnectsToTheTerminator() {
  Editor editor(kGeneratorAndQueues);
  editor.Press(names::kConnectTool);
  editor.Click(QPoint(305, 105));
  auto seen = std::make_shared<QStringList>();
  const auto probability = Answer<ProbabilityDialog>(seen);
  editor.Click(QPoint(407, 105));
  QCOMPARE(*seen, QStringList({"Переход из устройства 1 в терминатор заявок", "1"}));
  QCOMPARE(editor.store().device(1).transitions[1].kind, TargetKind::Terminator);
  QVERIFY(editor.text().contains(QStringLiteral("transfer 1;\n1 terminator;")));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::deletingAQueueRemovesTheTransitionsIntoIt() {
  Editor editor(QStringLiteral(
      "generator 1;\nxc 100;\nyc 100;\ntransfer 3;\n0.25 queue 4;\n0.25 queue 4;\n0.5 queue 2;\n\n"
      "queue 2;\nxc 200;\nyc 200;\n\nqueue 4;\nxc 200;\nyc 100;\n\n"
      "device 1;\nxc 300;\nyc 100;\nk 1;\ntransfer 2;\n0.5 queue 4;\n0.5 terminator;\n\n"
      "term_crd 400 100;\n"));
  editor.Press(names::kDeleteTool);
  editor.Click(QPoint(205, 105));
  const ModelStore& store = editor.store();
  QVERIFY(!store.queue(4).exists);
  QCOMPARE(store.generator(1).transfer, 1);
  QCOMPARE(store.generator(1).transitions[1].index, 2);
  QCOMPARE(store.device(1).transfer, 1);
  QCOMPARE(store.device(1).transitions[1].kind, TargetKind::Terminator);
  QVERIFY(!editor.text().contains(QStringLiteral("queue 4")));
  QVERIFY(editor.text().contains(QStringLiteral("transfer 1;\n0.5 queue 2;")));
  QVERIFY(!editor.Down(names::kDeleteTool));
  QCOMPARE(editor.Pixel(209, 105), kWhite);  // a bar of queue 4
  QCOMPARE(editor.Pixel(209, 205), kBlack);  // the same bar of queue 2
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::deletingADeviceRemovesOnlyQueueTransitionsIntoIt() {
  Editor editor(
      QStringLiteral("queue 1;\nxc 100;\nyc 100;\ntransfer 2;\n0.5 device 2;\n0.5 device 1;\n\n"
                     "queue 2;\nxc 100;\nyc 200;\n\n"
                     "device 1;\nxc 300;\nyc 100;\nk 1;\n\ndevice 2;\nxc 300;\nyc 200;\nk 1;\n\n"
                     "term_crd 400 100;\n"));
  editor.Press(names::kDeleteTool);
  editor.Click(QPoint(305, 205));
  const ModelStore& store = editor.store();
  QVERIFY(!store.device(2).exists);
  QVERIFY(store.queue(2).exists);
  QCOMPARE(store.queue(1).transfer, 1);
  QCOMPARE(store.queue(1).transitions[1].index, 1);
  QVERIFY(editor.text().contains(QStringLiteral("transfer 1;\n0.5 device 1;")));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::freedSlotIsTakenByTheNextAddition() {
  Editor editor(
      QStringLiteral("queue 1;\nxc 100;\nyc 100;\n\nqueue 2;\nxc 200;\nyc 100;\n\n"
                     "queue 3;\nxc 300;\nyc 100;\n\nterm_crd 0 0;\n"));
  editor.Press(names::kDeleteTool);
  editor.Click(QPoint(200, 100));
  QVERIFY(!editor.store().queue(2).exists);
  auto seen = std::make_shared<QStringList>();
  const auto queue = Answer<QueueDialog>(seen);
  editor.Press(names::kAddQueueTool);
  editor.Click(QPoint(250, 300));
  QCOMPARE(seen->value(0), QStringLiteral("Параметры очереди: 2"));
  QCOMPARE(editor.store().queue(2).xc, 250);
  QVERIFY(editor.store().queue(1).exists && editor.store().queue(3).exists);
  QVERIFY(editor.text().contains(QStringLiteral("queue 2;\nname ;\nxc 250;\nyc 300;")));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::moveDragsAndDropsTheElement_data() {
  QTest::addColumn<bool>("drag");
  QTest::newRow("click, move, click") << false;
  QTest::newRow("press, drag, release") << true;
}

void VisualEditorTest::moveDragsAndDropsTheElement() {
  QFETCH(bool, drag);
  Editor editor(
      QStringLiteral("generator 1;\nxc 50;\nyc 100;\ntransfer 1;\n1 queue 4;\n\n"
                     "queue 4;\nname Q4;\nxc 200;\nyc 100;\n\nterm_crd 0 0;\n"));
  editor.Press(names::kMoveTool);
  if (drag) {
    editor.PointAt(QPoint(205, 105));
    QTest::mousePress(&editor.canvas(), Qt::LeftButton, {}, QPoint(205, 105));
  } else {
    editor.Click(QPoint(205, 105));
  }
  QVERIFY(editor.Down(names::kMoveTool));
  editor.Move(QPoint(300, 250));
  QCOMPARE(editor.store().queue(4).xc, 300);
  QCOMPARE(editor.Pixel(209, 105), kWhite);
  QCOMPARE(editor.Pixel(309, 255), kBlack);
  QVERIFY(editor.PictureShowsStore());  // the link from the generator follows
  if (drag) {
    editor.PointAt(QPoint(320, 260));
    QTest::mouseRelease(&editor.canvas(), Qt::LeftButton, {}, QPoint(320, 260));
  } else {
    editor.Click(QPoint(320, 260));
  }
  QCOMPARE(editor.store().queue(4).xc, 320);
  QCOMPARE(editor.store().queue(4).yc, 260);
  QVERIFY(!editor.Down(names::kMoveTool));
  // The drop regenerates the text, so a run right after it reads the new place.
  QVERIFY(editor.text().contains(QStringLiteral("queue 4;\nname Q4;\nxc 320;\nyc 260;")));
  editor.Move(QPoint(400, 400));
  QCOMPARE(editor.store().queue(4).xc, 320);
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::disconnectListsTransitionsInOrderAndRemovesTheChosenOne() {
  Editor editor(
      QStringLiteral("queue 1;\nxc 100;\nyc 100;\n\n"
                     "device 1;\nxc 300;\nyc 100;\nk 1;\ntransfer 2;\n"
                     "0.5 queue 1;\n0.5 terminator;\n\nterm_crd 400 100;\n"));
  editor.Press(names::kDisconnectTool);
  editor.Click(QPoint(105, 105));  // a queue without transitions: nothing, still armed
  QVERIFY(editor.Down(names::kDisconnectTool));
  auto seen = std::make_shared<QStringList>();
  const auto transition = Answer<TransitionDialog>(
      seen, [](TransitionDialog* d) { d->findChild<QComboBox*>()->setCurrentIndex(1); });
  editor.Click(QPoint(305, 105));
  QCOMPARE(*seen, QStringList({"Удаление перехода из устройства 1", "очередь 1 с вер. 0.5",
                               "терминатор с вер. 0.5", "chosen 0"}));
  const DeviceRecord& device = editor.store().device(1);
  QCOMPARE(device.transfer, 1);
  QCOMPARE(device.transitions[1].kind, TargetKind::Queue);
  QVERIFY(editor.text().contains(QStringLiteral("transfer 1;\n0.5 queue 1;")));
  QVERIFY(!editor.Down(names::kDisconnectTool));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::statusBarNamesTheElementUnderThePointer() {
  Editor editor(
      QStringLiteral("queue 3;\nname Q1;\nxc 100;\nyc 100;\n\n"
                     "generator 2;\nname Src;\nxc 200;\nyc 100;\n\nterm_crd 300 100;\n"));
  editor.Move(QPoint(110, 104));
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Очередь 3 (Q1)"));
  editor.Move(QPoint(200, 100));
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Генератор 2 (Src)"));
  editor.Move(QPoint(305, 105));  // the terminator
  QCOMPARE(editor.ElementPanel(), QString());
  editor.Move(QPoint(600, 600));
  QCOMPARE(editor.ElementPanel(), QString());
}

void VisualEditorTest::fullTableShowsTheLimitMessage() {
  QString model;
  for (int slot = 1; slot <= 150; ++slot)
    model += QStringLiteral("generator %1;\nxc %2;\nyc 500;\n\n").arg(slot).arg(slot * 10);
  Editor editor(model + QStringLiteral("term_crd 0 0;\n"));
  auto seen = std::make_shared<QStringList>();
  const auto generator = Answer<GeneratorDialog>(seen);
  auto message = std::make_shared<SeenMessageBox>();
  const auto close = CloseNextMessageBox(message);
  editor.Press(names::kAddGeneratorTool);
  editor.Click(QPoint(100, 100));
  QCOMPARE(message->text, QStringLiteral("Количество генераторов в сети не должно превышать 150"));
  QCOMPARE(message->title,
           QStringLiteral("Система имитационного моделирования вычислительных систем"));
  QVERIFY(seen->isEmpty());
  QVERIFY(!editor.Down(names::kAddGeneratorTool));
}

void VisualEditorTest::everyWayOutOfADialogChangesNothing_data() {
  QTest::addColumn<int>("way_code");
  QTest::newRow("Escape") << int(WayOut::Escape);
  QTest::newRow("Отмена") << int(WayOut::CancelButton);
  QTest::newRow("close button") << int(WayOut::CloseButton);
}

// Each dialog of the editor, left without OK: the store, the text and the
// picture stay as they were, and so does the tool that opened it.
void VisualEditorTest::everyWayOutOfADialogChangesNothing() {
  QFETCH(int, way_code);
  const auto way = static_cast<WayOut>(way_code);
  Editor editor(kGeneratorAndQueues);
  const std::vector<std::string> store = StoreText(editor);
  const QString text = editor.text();
  auto shown = std::make_shared<int>(0);
  {
    const auto generator = LeaveNext<GeneratorDialog>(way, shown);
    editor.DoubleClick(QPoint(105, 105));
    const auto queue = LeaveNext<QueueDialog>(way, shown);
    editor.DoubleClick(QPoint(205, 105));
    const auto device = LeaveNext<DeviceDialog>(way, shown);
    editor.DoubleClick(QPoint(305, 105));
  }
  const auto placed = LeaveNext<QueueDialog>(way, shown);
  editor.Press(names::kAddQueueTool);
  editor.Click(QPoint(400, 250));
  QVERIFY(editor.Down(names::kAddQueueTool));
  editor.Press(names::kAddQueueTool);
  const auto probability = LeaveNext<ProbabilityDialog>(way, shown);
  editor.Press(names::kConnectTool);
  editor.Click(QPoint(105, 105));
  editor.Click(QPoint(205, 205));
  QVERIFY(editor.Down(names::kConnectTool));
  QCOMPARE(HintPanel(editor), QStringLiteral("Выберите элемент, в который ведет переход"));
  editor.Press(names::kConnectTool);
  const auto transition = LeaveNext<TransitionDialog>(way, shown);
  editor.Press(names::kDisconnectTool);
  editor.Click(QPoint(105, 105));
  QVERIFY(editor.Down(names::kDisconnectTool));
  QCOMPARE(*shown, 6);
  QVERIFY(StoreText(editor) == store);
  QCOMPARE(editor.text(), text);
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::connectInProgressIsShownAndCanBeLeft_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("Escape") << QStringLiteral("Escape");
  QTest::newRow("connect button raised") << QString::fromLatin1(names::kConnectTool);
  QTest::newRow("another tool") << QString::fromLatin1(names::kDisconnectTool);
}

void VisualEditorTest::connectInProgressIsShownAndCanBeLeft() {
  QFETCH(QString, how);
  Editor editor(kGeneratorAndQueues);
  const QColor white(Qt::white);
  editor.Press(names::kConnectTool);
  editor.Click(QPoint(105, 105));  // generator 1, its box 100..115 x 100..110
  QCOMPARE(HintPanel(editor), QStringLiteral("Выберите элемент, в который ведет переход"));
  QVERIFY(Shown(editor, QPoint(97, 105)) != white);  // the frame, in the view only
  QVERIFY(Shown(editor, QPoint(105, 97)) != white);
  QVERIFY(editor.PictureShowsStore());
  if (how == QStringLiteral("Escape")) {
    editor.shown.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor.shown.window.get()));
    QTest::keyClick(editor.shown.window.get(), Qt::Key_Escape);
  } else
    editor.Press(how.toLatin1().constData());
  QVERIFY(!editor.Down(names::kConnectTool));
  QCOMPARE(HintPanel(editor), QString());
  QCOMPARE(Shown(editor, QPoint(97, 105)), white);
  auto seen = std::make_shared<QStringList>();
  const auto probability = Answer<ProbabilityDialog>(seen);
  editor.Click(QPoint(205, 205));  // queue 2: no longer a target of anything
  Settle();
  QVERIFY(seen->isEmpty());
  QCOMPARE(editor.store().generator(1).transfer, 1);
}

void VisualEditorTest::aTargetThatCannotBeConnectedSaysWhy() {
  Editor editor(kGeneratorAndQueues);
  editor.Press(names::kConnectTool);
  editor.Click(QPoint(305, 105));  // device 1
  editor.Click(QPoint(305, 105));  // a device cannot lead to a device
  QCOMPARE(HintPanel(editor),
           QStringLiteral("Переход из устройства может вести только в очередь или в терминатор "
                          "заявок"));
  editor.Press(names::kConnectTool);
  editor.Press(names::kConnectTool);
  editor.Click(QPoint(205, 105));  // queue 1
  editor.Click(QPoint(407, 105));  // the terminator
  QCOMPARE(HintPanel(editor), QStringLiteral("Переход из очереди может вести только в устройство"));
  QVERIFY(editor.Down(names::kConnectTool));
}

void VisualEditorTest::aBadFieldKeepsTheDialogOpenOnThatField_data() {
  QTest::addColumn<QPoint>("element");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("message");
  QTest::newRow("generator variance") << QPoint(105, 105) << QStringLiteral("Edit3")
                                      << QStringLiteral(
                                             "'bad' is not a valid floating point value.\n"
                                             "Поле «Дисперсия»: число, например 0.5.");
  QTest::newRow("queue length") << QPoint(205, 105) << QStringLiteral("Edit1")
                                << QStringLiteral(
                                       "'bad' is not a valid integer value.\n"
                                       "Поле «Максимальная длина»: целое число от 1 "
                                       "до 200.");
  QTest::newRow("device channels") << QPoint(305, 105) << QStringLiteral("Edit4")
                                   << QStringLiteral(
                                          "'bad' is not a valid integer value.\n"
                                          "Поле «Число каналов»: целое число от 1 до "
                                          "50.");
}

// A bad field keeps the dialog open with that field's text selected and stores
// nothing, not even the fields that did convert; mended, OK stores them all.
void VisualEditorTest::aBadFieldKeepsTheDialogOpenOnThatField() {
  QFETCH(QPoint, element);
  QFETCH(QString, field);
  QFETCH(QString, message);
  Editor editor(kGeneratorAndQueues);
  const std::vector<std::string> store = StoreText(editor);
  const QString text = editor.text();
  auto error = std::make_shared<SeenMessageBox>();
  auto seen = std::make_shared<QStringList>();
  const auto dialog = OnModal<ElementDialog>([&, seen, error](ElementDialog* d) {
    const QString name =
        field == QStringLiteral("Edit1") ? QStringLiteral("Edit2") : QStringLiteral("Edit5");
    SetEdit(d, name.toLatin1().constData(), QStringLiteral("Renamed"));
    SetEdit(d, field.toLatin1().constData(), QStringLiteral("bad"));
    const auto close = CloseNextMessageBox(error);
    PressOk(d);
    auto* focus = qobject_cast<QLineEdit*>(d->focusWidget());
    *seen << QString::number(d->isVisible()) << (focus ? focus->objectName() : QString())
          << (focus ? focus->selectedText() : QString());
    seen->append(StoreText(editor) == store ? QStringLiteral("kept") : QStringLiteral("changed"));
    SetEdit(d, field.toLatin1().constData(), QStringLiteral("3"));
    PressOk(d);
  });
  editor.DoubleClick(element);
  QCOMPARE(error->text, message);
  QCOMPARE(*seen, QStringList({"1", field, "bad", "kept"}));
  QVERIFY(editor.text() != text);
  QVERIFY(editor.text().contains(QStringLiteral("name Renamed;")));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::deviceWithoutChannelsCanBeHitMovedAndDeleted() {
  Editor editor(QStringLiteral("device 1;\nname D0;\nxc 100;\nyc 100;\nk 0;\n\nterm_crd 0 0;\n"));
  editor.Move(QPoint(115, 110));  // the box of a one-channel device
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Устройство 1 (D0)"));
  editor.Move(QPoint(115, 111));
  QCOMPARE(editor.ElementPanel(), QString());
  editor.Press(names::kMoveTool);
  editor.Click(QPoint(105, 105));
  editor.Click(QPoint(300, 300));
  QCOMPARE(editor.store().device(1).xc, 300);
  editor.Press(names::kDeleteTool);
  editor.Click(QPoint(305, 305));
  QVERIFY(!editor.store().device(1).exists);
  QVERIFY(editor.PictureShowsStore());
}

// What an earlier model left in a slot (a new model keeps a queue's order of
// service and a device's law) does not reach the next element placed there.
void VisualEditorTest::aPlacedElementStartsFromAFreshRecord() {
  Editor editor(
      QStringLiteral("queue 1;\nname Q;\nxc 100;\nyc 100;\nlen 4;\ndiscip lifo;\n\n"
                     "device 1;\nname D;\nxc 200;\nyc 100;\nk 2;\nrasp 3;\n\nterm_crd 0 0;\n"));
  QVERIFY(editor.store().queue(1).discip == kLifo);
  const auto discard = AnswerNextQuestion(QMessageBox::Discard);
  editor.shown.window->NewModel();
  auto seen = std::make_shared<QStringList>();
  const auto queue = Answer<QueueDialog>(seen, [seen](QueueDialog* d) {
    seen->append(
        QString::number(d->findChild<QRadioButton*>(QStringLiteral("RadioButton1"))->isChecked()));
  });
  const auto device = Answer<DeviceDialog>(seen);
  editor.Press(names::kAddQueueTool);
  editor.Click(QPoint(300, 300));
  editor.Press(names::kAddDeviceTool);
  editor.Click(QPoint(300, 300));
  QCOMPARE(seen->mid(0, 9),
           QStringList({"Параметры очереди: 1", "0", "", "1",
                        "Параметры обслуживающего устройства: 1", "0", "0", "0", ""}));
  QCOMPARE(seen->last(), QStringLiteral("chosen 0"));
  QCOMPARE(editor.store().queue(1).discip, kFifo);
  QCOMPARE(editor.store().device(1).rasp, kUniform);
}

void VisualEditorTest::statusBarFollowsEveryEdit() {
  Editor editor(kGeneratorAndQueues);
  auto seen = std::make_shared<QStringList>();
  const auto queue =
      Answer<QueueDialog>(seen, [](QueueDialog* d) { SetEdit(d, "Edit2", QStringLiteral("R")); });
  editor.DoubleClick(QPoint(205, 105));
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Очередь 1 (R)"));
  editor.Move(QPoint(305, 105));
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Устройство 1 (D)"));
  editor.Press(names::kDeleteTool);
  editor.Click(QPoint(305, 105));
  QVERIFY(!editor.store().device(1).exists);
  QCOMPARE(editor.ElementPanel(), QString());
}

void VisualEditorTest::dialogOpensOverTheWindowAndEnterPressesOk() {
  Editor editor(kGeneratorAndQueues);
  editor.shown.window->move(150, 120);
  QPoint offset;
  const auto queue = OnModal<QueueDialog>([&offset, &editor](QueueDialog* d) {
    offset = d->geometry().center() - editor.shown.window->geometry().center();
    SetEdit(d, "Edit1", QStringLiteral("8"));
    QTest::keyClick(d->findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::Key_Return);
  });
  editor.DoubleClick(QPoint(205, 105));
  QVERIFY2(offset.manhattanLength() <= 4,
           qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
  QCOMPARE(editor.store().queue(1).len, 8);
}

// In a small window the far corner of the picture is scrolled into view (by the
// bars, the wheel, Shift with the wheel), and a click there stores the canvas
// point itself, whatever the scroll position.
void VisualEditorTest::theWholeCanvasCanBeReachedAndClickedWhenScrolled() {
  Editor editor;
  editor.shown.window->resize(500, 400);
  auto* area = editor.shown.window->findChild<QScrollArea*>(QStringLiteral("CanvasScrollArea"));
  QCOMPARE(editor.canvas().size(), QSize(2048, 1920));
  const QPoint global = area->viewport()->mapToGlobal(QPoint(10, 10));
  for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
    QWheelEvent wheel(QPointF(10, 10), global, QPoint(), QPoint(0, -120), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(area->viewport(), &wheel);
  }
  QVERIFY(area->verticalScrollBar()->value() > 0);
  QVERIFY(area->horizontalScrollBar()->value() > 0);
  area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
  area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
  const QPoint corner(2030, 1900);
  QVERIFY(area->viewport()->rect().contains(editor.canvas().mapTo(area->viewport(), corner)));
  auto seen = std::make_shared<QStringList>();
  const auto queue = Answer<QueueDialog>(seen);
  editor.Press(names::kAddQueueTool);
  editor.Click(corner);
  QCOMPARE(editor.store().queue(1).xc, 2030);
  QCOMPARE(editor.store().queue(1).yc, 1900);
  editor.Move(corner + QPoint(5, 5));
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Очередь 1 ()"));
  QVERIFY(editor.PictureShowsStore());
}

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::VisualEditorTest)
#include "visual_editor_test.moc"
