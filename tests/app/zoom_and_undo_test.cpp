#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>

#include <cstring>
#include <functional>
#include <map>

#include "app/canvas_scroll_area.h"
#include "app/main_window.h"
#include "app/object_names.h"
#include "app/probability_dialog.h"
#include "app/queue_dialog.h"
#include "app/transition_dialog.h"
#include "gui_test_support.h"
#include "visual_view.h"

namespace qsim::gui {
namespace {

const QString kModel = QStringLiteral(
    "generator 1;\nname G;\nxc 100;\nyc 100;\nla 2;\ntransfer 1;\n1 queue 1;\n\n"
    "queue 1;\nname Q1;\nxc 200;\nyc 100;\nlen 5;\ntransfer 1;\n1 device 1;\n\n"
    "queue 2;\nname Q2;\nxc 200;\nyc 200;\nlen 5;\n\n"
    "device 1;\nname D;\nxc 300;\nyc 100;\nk 1;\nv 1;\ntransfer 1;\n1 terminator;\n\n"
    "term_crd 400 100;\nsimulate 10;\n");

// The main window in the visual editor with kModel.
struct View : VisualView {
  View() : VisualView(kModel) {}
};

// Answers the next dialog of type T: `fill` sets its controls, then OK.
template <typename T>
[[nodiscard]] std::unique_ptr<QTimer> Answer(std::function<void(T*)> fill = {}) {
  return OnModal<T>([fill](T* dialog) {
    if (fill)
      fill(dialog);
    QTest::mouseClick(dialog->template findChild<QPushButton*>(QStringLiteral("Button1")),
                      Qt::LeftButton);
  });
}

// Everything the window shows of the model and everything the store holds, to
// compare byte for byte.
struct Seen {
  explicit Seen(const View& view)
      : picture(QByteArray(
            reinterpret_cast<const char*>(view.shown.window->picture().image().bytes.data()),
            qsizetype(view.shown.window->picture().image().bytes.size()))),
        text(view.shown.pane_text()) {
    const ModelStore& s = view.store();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      Append(s.generator(slot));
      Append(s.queue(slot));
      Append(s.device(slot));
    }
    for (const auto* scalar : {&s.term_x, &s.term_y, &s.generated})
      Append(*scalar);
    Append(s.now);
    Append(s.settings.simulate);
    Append(s.settings.end_time);
  }
  template <typename T>
  void Append(const T& value) {
    store.append(reinterpret_cast<const char*>(&value), sizeof(T));
  }
  bool operator==(const Seen& other) const {
    return picture == other.picture && text == other.text && store == other.store;
  }

  QByteArray picture;
  QString text;
  QByteArray store;
};

void SetEdit(QWidget* dialog, const char* name, const QString& text) {
  dialog->findChild<QLineEdit*>(QLatin1String(name))->setText(text);
}

// Whether a command that would throw the model away asks first; it is then
// kept (the question is cancelled, and so is the file dialog if none came).
bool AsksToSave(const View& view) {
  auto asked = std::make_shared<bool>(false);
  const auto question = AnswerNextQuestion(QMessageBox::Cancel, asked);
  const auto open = OnModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  view.shown.window->OpenModel();
  return *asked;
}

// Opens the canvas's context menu at view point `p` and chooses its item `item`.
void ChooseFromMenu(const View& view, QPoint p, const char* item) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&poll, item] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr)
      return;
    poll.stop();
    QAction* action = menu->findChild<QAction*>(QLatin1String(item));
    menu->close();
    QVERIFY(action != nullptr);
    action->trigger();
  });
  poll.start(5);
  view.PointAt(p);
  QContextMenuEvent event(QContextMenuEvent::Mouse, p, view.canvas().mapToGlobal(p));
  QApplication::sendEvent(&view.canvas(), &event);
}

// Presses the left button at `from`, drags to `to` and lets go there.
void Drag(const View& view, QPoint from, QPoint to) {
  view.PointAt(from);
  QTest::mousePress(&view.canvas(), Qt::LeftButton, {}, from);
  for (const QPoint p : {from + (to - from) / 2, to}) {
    view.PointAt(p);
    QTest::mouseMove(&view.canvas(), p);
  }
  QTest::mouseRelease(&view.canvas(), Qt::LeftButton, {}, to);
}

// The model's edits, by the tools and directly; the model is kModel.
void MakeEdit(const View& view, const QString& edit) {
  const auto probability_half = [] {
    return Answer<ProbabilityDialog>([](ProbabilityDialog* d) { SetEdit(d, "Edit1", "0.5"); });
  };
  const std::map<QString, std::function<void()>> edits = {
      {"place",
       [&] {
         const auto queue = Answer<QueueDialog>([](QueueDialog* d) { SetEdit(d, "Edit1", "3"); });
         view.Press(names::kAddQueueTool);
         view.Click(QPoint(500, 300));
       }},
      {"fields",
       [&] {
         const auto queue = Answer<QueueDialog>([](QueueDialog* d) { SetEdit(d, "Edit1", "9"); });
         view.DoubleClick(QPoint(205, 105));
       }},
      {"connect",
       [&] {
         const auto probability = Answer<ProbabilityDialog>();
         view.Press(names::kConnectTool);
         view.Click(QPoint(305, 105));
         view.Click(QPoint(205, 205));
       }},
      {"disconnect",
       [&] {
         const auto transition = Answer<TransitionDialog>();
         view.Press(names::kDisconnectTool);
         view.Click(QPoint(305, 105));
       }},
      {"delete",
       [&] {
         view.Press(names::kDeleteTool);
         view.Click(QPoint(205, 105));
       }},
      {"move",
       [&] {
         view.Press(names::kMoveTool);
         view.Click(QPoint(305, 105));
         view.Move(QPoint(330, 250));
         view.Click(QPoint(340, 260));
       }},
      {"text",
       [&] {
         view.shown.window->ShowCodeEditor();
         view.shown.text_pane().setPlainText(view.shown.pane_text().replace(
             QStringLiteral("xc 200;\nyc 200;"), QStringLiteral("xc 250;\nyc 300;")));
         view.shown.window->ShowVisualEditor();
       }},
      {"drag", [&] { Drag(view, QPoint(305, 105), QPoint(340, 260)); }},
      {"select and Delete",
       [&] {
         view.Click(QPoint(205, 105));
         view.Key(Qt::Key_Delete, Qt::NoModifier);
       }},
      {"menu: parameters",
       [&] {
         const auto queue = Answer<QueueDialog>([](QueueDialog* d) { SetEdit(d, "Edit1", "9"); });
         ChooseFromMenu(view, QPoint(205, 105), "ParametersItem");
       }},
      {"menu: connect",
       [&] {
         const auto probability = Answer<ProbabilityDialog>();
         ChooseFromMenu(view, QPoint(305, 105), "ConnectItem");
         view.Click(QPoint(205, 205));
       }},
      {"menu: delete", [&] { ChooseFromMenu(view, QPoint(205, 105), "DeleteItem"); }},
      {"menu: remove transition",
       [&] { ChooseFromMenu(view, QPoint(350, 106), "DisconnectItem"); }},
      {"menu: probability",
       [&] {
         const auto probability = probability_half();
         ChooseFromMenu(view, QPoint(350, 105), "ProbabilityItem");
       }},
      {"line double click",
       [&] {
         const auto probability = probability_half();
         view.DoubleClick(QPoint(350, 104));
       }},
  };
  edits.at(edit)();
}

}  // namespace

class ZoomAndUndoTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void aClickStoresTheSamePointAtEveryZoomAndScroll_data();
  void aClickStoresTheSamePointAtEveryZoomAndScroll();
  void zoomStepsStopAtTheBoundsAndTheWheelKeepsThePointerPoint();
  void everyEditIsUndoneAndRedoneExactly_data();
  void everyEditIsUndoneAndRedoneExactly();
  void theSavedStateIsTheCleanOneAndNewModelForgetsTheHistory();
  void textTypedInTheCodeEditorIsTakenInBeforeUndo();
  void undoDuringAMovePutsTheElementBack();
};

void ZoomAndUndoTest::aClickStoresTheSamePointAtEveryZoomAndScroll_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<QPoint>("view_point");
  QTest::addColumn<QPoint>("canvas_point");
  // A view pixel stands for the picture pixel under its centre.
  QTest::newRow("25 %") << 25 << QPoint(150, 75) << QPoint(602, 302);
  QTest::newRow("50 %, scrolled") << 50 << QPoint(700, 600) << QPoint(1401, 1201);
  QTest::newRow("100 %, scrolled") << 100 << QPoint(1500, 1000) << QPoint(1500, 1000);
  QTest::newRow("150 %, scrolled") << 150 << QPoint(900, 450) << QPoint(600, 300);
  QTest::newRow("400 %, scrolled") << 400 << QPoint(2403, 1203) << QPoint(600, 300);
  QTest::newRow("400 %, far corner") << 400 << QPoint(8190, 7679) << QPoint(2047, 1919);
}

// The placed element lands at the picture point, the hit test finds it there,
// and the picture itself keeps its pixels: zoom is the view's alone.
void ZoomAndUndoTest::aClickStoresTheSamePointAtEveryZoomAndScroll() {
  QFETCH(int, zoom);
  QFETCH(QPoint, view_point);
  QFETCH(QPoint, canvas_point);
  View view;
  const QByteArray picture = Seen(view).picture;
  view.area().ZoomAt(zoom, QPoint());
  view.ScrollTo(view_point);
  QVERIFY(view.area().viewport()->rect().contains(
      view.canvas().mapTo(view.area().viewport(), view_point)));
  QCOMPARE(Seen(view).picture, picture);
  const auto queue = Answer<QueueDialog>();
  view.Press(names::kAddQueueTool);
  view.Click(view_point);
  QCOMPARE(QPoint(view.store().queue(3).xc, view.store().queue(3).yc), canvas_point);
  view.Move(view_point);
  QCOMPARE(view.Panel(names::kElementPanel), QStringLiteral("Очередь 3 ()"));
  QVERIFY(view.canvas().grab(QRect(view_point, QSize(1, 1))).toImage().pixelColor(0, 0) !=
          QColor(Qt::white));
}

void ZoomAndUndoTest::zoomStepsStopAtTheBoundsAndTheWheelKeepsThePointerPoint() {
  View view;
  for (int i = 0; i < 6; ++i)
    view.Key(Qt::Key_Minus);
  QCOMPARE(view.Panel("ZoomPanel"), QStringLiteral("Масштаб: 25 %"));
  QCOMPARE(view.canvas().size(), QSize(512, 480));
  for (int i = 0; i < 9; ++i)
    view.Key(Qt::Key_Plus);
  QCOMPARE(view.Panel("ZoomPanel"), QStringLiteral("Масштаб: 400 %"));
  QCOMPARE(view.canvas().size(), QSize(8192, 7680));
  view.Key(Qt::Key_0);
  QCOMPARE(view.canvas().size(), QSize(2048, 1920));
  // One notch of Ctrl with the wheel: 150 %, the picture point under the
  // pointer stays under it.
  view.ScrollTo(QPoint(600, 400));
  const QPoint anchor(180, 120);
  const QPoint before = view.canvas().mapFrom(view.area().viewport(), anchor);
  QWheelEvent wheel(anchor, view.area().viewport()->mapToGlobal(anchor), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.area().viewport(), &wheel);
  QCOMPARE(view.Panel("ZoomPanel"), QStringLiteral("Масштаб: 150 %"));
  QCOMPARE(view.canvas().mapFrom(view.area().viewport(), anchor), before * 3 / 2);
  // The frame of a connect source follows the scale: around the generator's
  // box 100..115 x 100..110, three view pixels out.
  view.area().ZoomAt(200, QPoint());
  view.ScrollTo(QPoint());
  view.Press(names::kConnectTool);
  view.Click(QPoint(210, 210));
  const QImage shown = view.canvas().grab(QRect(0, 0, 300, 300)).toImage();
  QVERIFY(shown.pixelColor(197, 210) != QColor(Qt::white));
  QVERIFY(shown.pixelColor(234, 210) != QColor(Qt::white));
  QCOMPARE(shown.pixelColor(196, 210), QColor(Qt::white));
  QCOMPARE(view.Action("ZoomInItem").isEnabled(), true);
  view.shown.window->ShowCodeEditor();
  QCOMPARE(view.Action("ZoomInItem").isEnabled(), false);
}

void ZoomAndUndoTest::everyEditIsUndoneAndRedoneExactly_data() {
  QTest::addColumn<QString>("edit");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("same_as");  // an edit that leaves the same model, if any
  const auto row = [](const char* edit, const char* name, const char* same_as = "") {
    QTest::newRow(edit) << QString::fromUtf8(edit) << QString::fromUtf8(name)
                        << QString::fromUtf8(same_as);
  };
  row("place", "размещение очереди 3");
  row("fields", "изменение параметров очереди 1");
  row("connect", "добавление перехода из устройства 1 в очередь 2");
  row("disconnect", "удаление перехода из устройства 1 в терминатор заявок");
  row("delete", "удаление очереди 1");
  row("move", "перемещение устройства 1");
  row("text", "изменение текста модели");
  // Direct manipulation, with no tool armed.
  row("drag", "перемещение устройства 1", "move");
  row("select and Delete", "удаление очереди 1", "delete");
  row("menu: parameters", "изменение параметров очереди 1", "fields");
  row("menu: connect", "добавление перехода из устройства 1 в очередь 2", "connect");
  row("menu: delete", "удаление очереди 1", "delete");
  row("menu: remove transition", "удаление перехода из устройства 1 в терминатор заявок",
      "disconnect");
  row("menu: probability", "изменение вероятности перехода из устройства 1 в терминатор заявок");
  row("line double click", "изменение вероятности перехода из устройства 1 в терминатор заявок",
      "menu: probability");
}

// Undo by Ctrl+Z and by the menu, redo by Ctrl+Shift+Z and by Ctrl+Y: each
// puts back the picture, the text and the store exactly as they were.
void ZoomAndUndoTest::everyEditIsUndoneAndRedoneExactly() {
  QFETCH(QString, edit);
  QFETCH(QString, name);
  QFETCH(QString, same_as);
  View view;
  QAction& undo = view.Action(names::kUndoItem);
  QAction& redo = view.Action(names::kRedoItem);
  const QString typed = QStringLiteral("Отменить: изменение текста модели");
  QCOMPARE(undo.text(), typed);  // the model typed in
  QVERIFY(!redo.isEnabled());
  const Seen before(view);
  MakeEdit(view, edit);
  const Seen after(view);
  QVERIFY(!(after == before));
  QCOMPARE(undo.text(), QStringLiteral("Отменить: ") + name);
  QVERIFY(undo.isEnabled() && !redo.isEnabled());
  view.Key(Qt::Key_Z);
  QVERIFY(Seen(view) == before);
  QCOMPARE(redo.text(), QStringLiteral("Повторить: ") + name);
  QCOMPARE(undo.text(), typed);
  view.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QVERIFY(Seen(view) == after);
  undo.trigger();
  QVERIFY(Seen(view) == before);
  view.Key(Qt::Key_Y);
  QVERIFY(Seen(view) == after);
  QCOMPARE(redo.text(), QStringLiteral("Повторить"));
  if (!same_as.isEmpty()) {
    View other;
    MakeEdit(other, same_as);
    QVERIFY(Seen(other) == after);
  }
}

// The prompt to save follows the history: undoing back to the saved model
// makes it clean again, undoing past it makes it changed.
void ZoomAndUndoTest::theSavedStateIsTheCleanOneAndNewModelForgetsTheHistory() {
  View view;
  const QString path = view.shown.folder.models() + QStringLiteral("/saved.txt");
  QString offered;
  auto save = [&] {
    const auto choose = OnModal<QFileDialog>([path, &offered](QFileDialog* dialog) {
      offered = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
      dialog->setDirectory(QFileInfo(path).absolutePath());
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
          ->setText(QFileInfo(path).fileName());
      static_cast<QDialog*>(dialog)->accept();
    });
    view.shown.window->SaveModel();
  };
  const auto marked = [&] { return view.shown.window->windowTitle().startsWith('*'); };
  save();
  QVERIFY(!AsksToSave(view));
  QVERIFY(!marked());
  view.Press(names::kDeleteTool);
  view.Click(QPoint(205, 205));  // queue 2
  QVERIFY(AsksToSave(view));
  QVERIFY(marked());
  view.Key(Qt::Key_Z);
  QVERIFY(!AsksToSave(view));
  QVERIFY(!marked());
  view.Key(Qt::Key_Y);
  save();
  QCOMPARE(offered, QStringLiteral("saved.txt"));  // Enter saves over the model's own file
  QVERIFY(!AsksToSave(view));
  view.Key(Qt::Key_Z);
  QVERIFY(AsksToSave(view));
  const auto discard = AnswerNextQuestion(QMessageBox::Discard);
  view.shown.window->NewModel();
  QVERIFY(!view.Action(names::kUndoItem).isEnabled() && !view.Action(names::kRedoItem).isEnabled());
  QCOMPARE(view.Action(names::kUndoItem).text(), QStringLiteral("Отменить"));
}

// The menu's undo in the code editor first takes the typed text in, as a step
// of its own, and undoes that; redo brings the text back in canonical form.
void ZoomAndUndoTest::textTypedInTheCodeEditorIsTakenInBeforeUndo() {
  View view;
  view.shown.window->ShowCodeEditor();
  const QString canonical = view.shown.pane_text();
  view.shown.text_pane().setPlainText(QStringLiteral("queue 7;\nxc 5;\nyc 5;\n\n") + canonical);
  view.Action(names::kUndoItem).trigger();
  QCOMPARE(view.shown.pane_text(), canonical);
  QVERIFY(!view.store().queue(7).exists);
  QCOMPARE(view.Action(names::kRedoItem).text(),
           QStringLiteral("Повторить: изменение текста модели"));
  view.Action(names::kRedoItem).trigger();
  QVERIFY(view.store().queue(7).exists);
  QVERIFY(view.shown.pane_text().contains(QStringLiteral("queue 7;")));
}

void ZoomAndUndoTest::undoDuringAMovePutsTheElementBack() {
  View view;
  const Seen before(view);
  view.Press(names::kMoveTool);
  view.Click(QPoint(205, 105));
  view.Move(QPoint(400, 300));
  QCOMPARE(view.store().queue(1).xc, 400);
  view.Key(Qt::Key_Z);
  QVERIFY(Seen(view) == before);
  QVERIFY(!view.Action(names::kMoveTool).isChecked());
  QCOMPARE(view.Action(names::kUndoItem).text(),
           QStringLiteral("Отменить: изменение текста модели"));
}

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::ZoomAndUndoTest)
#include "zoom_and_undo_test.moc"
