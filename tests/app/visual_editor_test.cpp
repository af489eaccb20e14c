#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QtTest>

#include <algorithm>

#include "app/device_dialog.h"
#include "app/generator_dialog.h"
#include "app/main_window.h"
#include "app/probability_dialog.h"
#include "app/queue_dialog.h"
#include "app/transition_dialog.h"
#include "editor/model_drawing.h"
#include "gui_test_support.h"

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
  void PointAt(QPoint p) const { QCursor::setPos(canvas().mapToGlobal(p)); }
  void Click(QPoint p) const {
    PointAt(p);
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, p);
  }
  void DoubleClick(QPoint p) const {
    PointAt(p);
    QTest::mouseDClick(&canvas(), Qt::LeftButton, {}, p);
  }
  void Move(QPoint p) const {
    PointAt(p);
    QTest::mouseMove(&canvas(), p);
  }
  QString ElementPanel() const {
    return shown.window->findChild<QLabel*>(QStringLiteral("Panel1"))->text();
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

}  // namespace

class VisualEditorTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void dialogsAreLaidOutAsFixedForms();
  void overlappingBoxesGoToTheHigherSlotAndTheLaterKind();
  void deviceWithoutChannelsIsNeverHit();
  void threeAddToolsPlaceThreeElementsInOneClick();
  void addQueueWithRecordedSourceConnectsTheNewQueue();
  void connectSuggestsTheRestOfTheProbability();
  void probabilityThatDoesNotConvertLeavesNoTransition();
  void deviceConnectsToTheTerminator();
  void deletingAQueueRemovesTheTransitionsIntoIt();
  void deletingADeviceRemovesOnlyQueueTransitionsIntoIt();
  void freedSlotIsTakenByTheNextAddition();
  void moveDragsAndDropsTheElement();
  void disconnectListsTransitionsInOrderAndRemovesTheChosenOne();
  void disconnectWithNoItemChosenRemovesNothing();
  void statusBarNamesTheElementUnderThePointer();
  void doubleClickEditsTheElementAndStoresTheNameFirst();
  void typedDistributionIsRefused();
  void fullTableShowsTheLimitMessage();
};

void VisualEditorTest::dialogsAreLaidOutAsFixedForms() {
  Editor editor;
  auto* generator = editor.shown.window->findChild<GeneratorDialog*>();
  auto* queue = editor.shown.window->findChild<QueueDialog*>();
  auto* device = editor.shown.window->findChild<DeviceDialog*>();
  auto* probability = editor.shown.window->findChild<ProbabilityDialog*>();
  auto* transition = editor.shown.window->findChild<TransitionDialog*>();
  QCOMPARE(generator->size(), QSize(241, 145));
  QCOMPARE(queue->size(), QSize(305, 137));
  QCOMPARE(device->size(), QSize(233, 137));
  QCOMPARE(probability->size(), QSize(321, 43));
  QCOMPARE(transition->size(), QSize(289, 49));
  auto button = [](QWidget* dialog) {
    return dialog->findChild<QPushButton*>(QStringLiteral("Button1"));
  };
  QCOMPARE(button(generator)->text(), QStringLiteral("ОК"));  // Cyrillic letters
  QCOMPARE(button(queue)->text(), QStringLiteral("OK"));      // Latin letters
  QCOMPARE(button(generator)->geometry(), QRect(168, 128, 73, 17));
  QCOMPARE(button(queue)->geometry(), QRect(248, 120, 57, 17));
  QCOMPARE(generator->findChild<QComboBox*>()->geometry().topLeft(), QPoint(120, 24));
  QCOMPARE(queue->findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->text(),
           QStringLiteral("FIFO с отн. приоритетом"));
  QVERIFY(!button(device)->isDefault() && !button(device)->autoDefault());
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

void VisualEditorTest::deviceWithoutChannelsIsNeverHit() {
  Editor editor(
      QStringLiteral("device 1;\nname D0;\nxc 100;\nyc 100;\nk 0;\n\n"
                     "device 2;\nname D3;\nxc 300;\nyc 100;\nk 3;\n\nterm_crd 0 0;\n"));
  editor.Move(QPoint(105, 105));
  QCOMPARE(editor.ElementPanel(), QString());
  editor.Move(QPoint(305, 90));
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Устройство 2 (D3)"));
  editor.Move(QPoint(305, 120));
  QCOMPARE(editor.ElementPanel(), QStringLiteral("Устройство 2 (D3)"));
  editor.Move(QPoint(305, 121));
  QCOMPARE(editor.ElementPanel(), QString());
  editor.Press("ToolButton18");
  editor.Click(QPoint(105, 105));
  QVERIFY(editor.store().device(1).exists);
  QVERIFY(editor.Down("ToolButton18"));
  auto seen = std::make_shared<QStringList>();
  const auto device = Answer<DeviceDialog>(seen);
  editor.Press("ToolButton18");
  editor.DoubleClick(QPoint(105, 105));
  Settle();
  QVERIFY(seen->isEmpty());
}

void VisualEditorTest::threeAddToolsPlaceThreeElementsInOneClick() {
  Editor editor;
  auto seen = std::make_shared<QStringList>();
  const auto generator =
      Answer<GeneratorDialog>(seen, [](GeneratorDialog* d) { SetEdit(d, "Edit1", "4"); });
  const auto queue = Answer<QueueDialog>(seen, [](QueueDialog* d) { SetEdit(d, "Edit1", "7"); });
  const auto device = Answer<DeviceDialog>(seen, [](DeviceDialog* d) { SetEdit(d, "Edit4", "1"); });
  editor.Press("ToolButton14");
  editor.Press("ToolButton12");
  editor.Press("ToolButton13");
  QVERIFY(editor.Down("ToolButton14") && editor.Down("ToolButton12") &&
          editor.Down("ToolButton13"));
  editor.Click(QPoint(200, 150));
  QCOMPARE(seen->filter(QStringLiteral("Параметры")),
           QStringList({"Параметры генератора заявок: 1", "Параметры очереди: 1",
                        "Параметры обслуживающего устройства: 1"}));
  // A slot never used opens with its zeros and the first law.
  QCOMPARE(seen->mid(1, 4), QStringList({"0", "0", "0", ""}));
  QVERIFY(seen->contains(QStringLiteral("chosen 0")));
  const ModelStore& store = editor.store();
  QVERIFY(store.generator(1).exists && store.queue(1).exists && store.device(1).exists);
  QCOMPARE(store.generator(1).la, 4);
  QCOMPARE(store.queue(1).len, 7);
  QCOMPARE(store.device(1).xc, 200);
  QCOMPARE(store.device(1).yc, 150);
  QVERIFY(!editor.Down("ToolButton14") && !editor.Down("ToolButton12") &&
          !editor.Down("ToolButton13"));
  QVERIFY(editor.text().contains(QStringLiteral("generator 1;\nname ;\nxc 200;\nyc 150;\nla 4;")));
  QVERIFY(editor.text().contains(QStringLiteral("queue 1;")));
  QVERIFY(editor.text().contains(QStringLiteral("device 1;")));
  QCOMPARE(editor.Pixel(200, 155), kBlack);
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::addQueueWithRecordedSourceConnectsTheNewQueue() {
  Editor editor(QStringLiteral("generator 1;\nname G;\nxc 100;\nyc 100;\n\nterm_crd 0 0;\n"));
  editor.Press("ToolButton15");
  editor.Click(QPoint(105, 105));
  QVERIFY(editor.Down("ToolButton15"));
  auto seen = std::make_shared<QStringList>();
  const auto queue = Answer<QueueDialog>(seen, [](QueueDialog* d) { SetEdit(d, "Edit2", "Q"); });
  const auto probability = Answer<ProbabilityDialog>(seen);
  editor.Press("ToolButton12");
  editor.Click(QPoint(200, 100));
  QCOMPARE(seen->value(0), QStringLiteral("Параметры очереди: 1"));
  QCOMPARE(seen->mid(3), QStringList({"Переход из генератора 1 в очередь 1", "1"}));
  const GeneratorRecord& generator = editor.store().generator(1);
  QCOMPARE(generator.transfer, 1);
  QCOMPARE(generator.transitions[1].index, 1);
  QCOMPARE(generator.transitions[1].prob, 1.0);
  QVERIFY(!editor.Down("ToolButton15"));
  QVERIFY(editor.text().contains(QStringLiteral("transfer 1;\n1 queue 1;")));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::connectSuggestsTheRestOfTheProbability() {
  Editor editor(kGeneratorAndQueues);
  editor.Press("ToolButton15");
  editor.Click(QPoint(105, 105));  // generator 1, whose transitions sum to 0.75
  auto seen = std::make_shared<QStringList>();
  const auto probability = Answer<ProbabilityDialog>(seen);
  editor.Click(QPoint(305, 105));  // a device is no target for a generator
  Settle();
  QVERIFY(seen->isEmpty());
  QVERIFY(editor.Down("ToolButton15"));
  editor.Click(QPoint(205, 205));  // queue 2
  QCOMPARE(*seen, QStringList({"Переход из генератора 1 в очередь 2", "0.25"}));
  const GeneratorRecord& generator = editor.store().generator(1);
  QCOMPARE(generator.transfer, 2);
  QCOMPARE(generator.transitions[2].index, 2);
  QCOMPARE(generator.transitions[2].prob, 0.25);
  QVERIFY(editor.text().contains(QStringLiteral("transfer 2;\n0.75 queue 1;\n0.25 queue 2;")));
  QVERIFY(!editor.Down("ToolButton15"));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::probabilityThatDoesNotConvertLeavesNoTransition() {
  Editor editor(kGeneratorAndQueues);
  const QString before = editor.text();
  editor.Press("ToolButton15");
  editor.Click(QPoint(105, 105));
  auto seen = std::make_shared<QStringList>();
  const auto probability = Answer<ProbabilityDialog>(
      seen, [](ProbabilityDialog* d) { SetEdit(d, "Edit1", QStringLiteral("abc")); });
  auto error = std::make_shared<SeenMessageBox>();
  const auto close = CloseNextMessageBox(error);
  editor.Click(QPoint(205, 205));
  QCOMPARE(error->text, QStringLiteral("'abc' is not a valid floating point value."));
  QCOMPARE(error->icon, int(QMessageBox::Critical));
  QCOMPARE(editor.store().generator(1).transfer, 1);
  QCOMPARE(editor.text(), before);
  QVERIFY(editor.Down("ToolButton15"));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::deviceConnectsToTheTerminator() {
  Editor editor(kGeneratorAndQueues);
  editor.Press("ToolButton15");
  editor.Click(QPoint(305, 105));
  auto seen = std::make_shared<QStringList>();
  auto stayed_open = std::make_shared<bool>(false);
  const auto probability = Answer<ProbabilityDialog>(seen, [stayed_open](ProbabilityDialog* d) {
    QTest::keyClick(d->findChild<QLineEdit*>(), Qt::Key_Escape);
    QTest::keyClick(d->findChild<QLineEdit*>(), Qt::Key_Return);
    *stayed_open = d->isVisible();
  });
  editor.Click(QPoint(407, 105));
  QVERIFY(*stayed_open);  // neither Escape nor Enter closes the dialog
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
  editor.Press("ToolButton18");
  editor.Click(QPoint(205, 105));
  const ModelStore& store = editor.store();
  QVERIFY(!store.queue(4).exists);
  QCOMPARE(store.generator(1).transfer, 1);
  QCOMPARE(store.generator(1).transitions[1].index, 2);
  QCOMPARE(store.device(1).transfer, 1);
  QCOMPARE(store.device(1).transitions[1].kind, TargetKind::Terminator);
  QVERIFY(!editor.text().contains(QStringLiteral("queue 4")));
  QVERIFY(editor.text().contains(QStringLiteral("transfer 1;\n0.5 queue 2;")));
  QVERIFY(!editor.Down("ToolButton18"));
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
  editor.Press("ToolButton18");
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
  editor.Press("ToolButton18");
  editor.Click(QPoint(200, 100));
  QVERIFY(!editor.store().queue(2).exists);
  auto seen = std::make_shared<QStringList>();
  const auto queue = Answer<QueueDialog>(seen);
  editor.Press("ToolButton12");
  editor.Click(QPoint(250, 300));
  QCOMPARE(seen->value(0), QStringLiteral("Параметры очереди: 2"));
  QCOMPARE(editor.store().queue(2).xc, 250);
  QVERIFY(editor.store().queue(1).exists && editor.store().queue(3).exists);
  QVERIFY(editor.text().contains(QStringLiteral("queue 2;\nname ;\nxc 250;\nyc 300;")));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::moveDragsAndDropsTheElement() {
  Editor editor(
      QStringLiteral("generator 1;\nxc 50;\nyc 100;\ntransfer 1;\n1 queue 4;\n\n"
                     "queue 4;\nname Q4;\nxc 200;\nyc 100;\n\nterm_crd 0 0;\n"));
  editor.Press("ToolButton17");
  editor.Click(QPoint(205, 105));
  QVERIFY(editor.Down("ToolButton17"));
  editor.Move(QPoint(300, 250));
  QCOMPARE(editor.store().queue(4).xc, 300);
  QCOMPARE(editor.Pixel(209, 105), kWhite);
  QCOMPARE(editor.Pixel(309, 255), kBlack);
  QVERIFY(editor.PictureShowsStore());  // the link from the generator follows
  editor.Click(QPoint(320, 260));
  QCOMPARE(editor.store().queue(4).xc, 320);
  QCOMPARE(editor.store().queue(4).yc, 260);
  QVERIFY(!editor.Down("ToolButton17"));
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
  editor.Press("ToolButton16");
  editor.Click(QPoint(105, 105));  // a queue without transitions: nothing, still armed
  QVERIFY(editor.Down("ToolButton16"));
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
  QVERIFY(!editor.Down("ToolButton16"));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::disconnectWithNoItemChosenRemovesNothing() {
  Editor editor(kGeneratorAndQueues);
  editor.Press("ToolButton16");
  auto seen = std::make_shared<QStringList>();
  const auto transition = Answer<TransitionDialog>(seen, [](TransitionDialog* d) {
    d->findChild<QComboBox*>()->setEditText(QStringLiteral("очередь 9"));
  });
  editor.Click(QPoint(105, 105));
  QCOMPARE(seen->value(0), QStringLiteral("Удаление перехода из генератора 1"));
  QCOMPARE(editor.store().generator(1).transfer, 1);
  QVERIFY(editor.Down("ToolButton16"));
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

void VisualEditorTest::doubleClickEditsTheElementAndStoresTheNameFirst() {
  Editor editor(kGeneratorAndQueues);
  auto seen = std::make_shared<QStringList>();
  const auto generator = Answer<GeneratorDialog>(seen, [](GeneratorDialog* d) {
    SetEdit(d, "Edit1", QStringLiteral("x"));
    SetEdit(d, "Edit5", QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234"));
  });
  auto error = std::make_shared<SeenMessageBox>();
  const auto close = CloseNextMessageBox(error);
  const QString before = editor.text();
  editor.DoubleClick(QPoint(105, 105));
  QCOMPARE(seen->value(0), QStringLiteral("Параметры генератора заявок: 1"));
  QCOMPARE(seen->value(1), QStringLiteral("2"));
  QCOMPARE(error->text, QStringLiteral("'x' is not a valid integer value."));
  QCOMPARE(QString::fromStdString(editor.store().generator(1).name.str()),
           QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
  QCOMPARE(editor.store().generator(1).la, 2);
  QCOMPARE(editor.text(), before);
  QCOMPARE(editor.Pixel(100, 105), kWhite);  // erased until the next draw pass
  auto again = std::make_shared<QStringList>();
  const auto queue = Answer<QueueDialog>(again, [](QueueDialog* d) {
    QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("RadioButton1"))->isChecked());
    d->findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->setChecked(true);
  });
  editor.DoubleClick(QPoint(205, 205));
  QCOMPARE(again->value(0), QStringLiteral("Параметры очереди: 2"));
  QCOMPARE(editor.store().queue(2).discip, kPriorityFifo);
  QVERIFY(editor.text().contains(QStringLiteral("discip pfifo;")));
  QVERIFY(editor.text().contains(QStringLiteral("name ABCDEFGHIJKLMNOPQRSTUVWXY;")));
  QVERIFY(editor.PictureShowsStore());
}

void VisualEditorTest::typedDistributionIsRefused() {
  Editor editor;
  auto seen = std::make_shared<QStringList>();
  const auto device = Answer<DeviceDialog>(seen, [](DeviceDialog* d) {
    d->findChild<QComboBox*>()->setEditText(QStringLiteral("Вейбулла"));
  });
  auto error = std::make_shared<SeenMessageBox>();
  const auto close = CloseNextMessageBox(error);
  editor.Press("ToolButton13");
  editor.Click(QPoint(200, 200));
  QVERIFY(!error->text.isEmpty());
  QVERIFY(!editor.store().device(1).exists);
  QCOMPARE(editor.store().device(1).rasp, kUniform);
  QVERIFY(editor.Down("ToolButton13"));
  QVERIFY(!editor.text().contains(QStringLiteral("device")));
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
  editor.Press("ToolButton14");
  editor.Click(QPoint(100, 100));
  QCOMPARE(message->text, QStringLiteral("Количество генераторов в сети не должно превышать 150"));
  QCOMPARE(message->title,
           QStringLiteral("Система имитационного моделирования вычислительных систем"));
  QVERIFY(seen->isEmpty());
  QVERIFY(!editor.Down("ToolButton14"));
}

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::VisualEditorTest)
#include "visual_editor_test.moc"
