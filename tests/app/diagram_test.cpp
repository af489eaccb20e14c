#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QToolBar>
#include <QtTest>

#include "app/canvas_scroll_area.h"
#include "app/canvas_view.h"
#include "app/code_editor.h"
#include "app/device_dialog.h"
#include "app/element_dialog.h"
#include "app/generator_dialog.h"
#include "app/main_window.h"
#include "app/object_names.h"
#include "app/transition_dialog.h"
#include "gui_test_support.h"
#include "visual_view.h"

namespace qsim::gui {
namespace {

const QString kModel = QStringLiteral(
    "generator 1;\nname Src;\nxc 100;\nyc 100;\nla 2;\ntransfer 1;\n1 queue 1;\n\n"
    "queue 1;\nname Q1;\nxc 200;\nyc 100;\nlen 5;\ntransfer 2;\n0.25 device 1;\n0.75 device 2;\n\n"
    "device 1;\nxc 300;\nyc 100;\nk 1;\nv 1;\ntransfer 1;\n1 terminator;\n\n"
    "device 2;\nxc 300;\nyc 200;\nk 1;\nv 1;\ntransfer 1;\n1 terminator;\n\n"
    "term_crd 400 100;\nsimulate 10;\n");

struct Diagram : VisualView {
  Diagram() : VisualView(kModel) {}
  // The picture point shown at viewport point `at`, in picture pixels.
  QPointF PictureAt(QPoint at) const {
    return QPointF(canvas().mapFrom(area().viewport(), at)) * 100 /
           shown.window->findChild<CanvasView*>()->zoom();
  }
  QPoint Scroll() const {
    return {area().horizontalScrollBar()->value(), area().verticalScrollBar()->value()};
  }
  QImage Shown(QRect r) const { return canvas().grab(r).toImage(); }
};

bool HasInk(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) != QColor(Qt::white))
        return true;
    }
  }
  return false;
}

}  // namespace

class DiagramTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void onlyTheLastArmedToolActs_data();
  void onlyTheLastArmedToolActs();
  void zoomKeepsThePointUnderThePointerAndComesBackNearTheEdges();
  void resetShowsTheOriginAndFitShowsTheWholeModel();
  void namesAndProbabilitiesLieOverThePictureOnly();
  void elementDialogsSayWhatTheLawGives_data();
  void elementDialogsSayWhatTheLawGives();
  void theFailedLineIsMarkedUntilTheTextReads();
  void cancellingTheDroppedLinesKeepsThem();
  void theWindowRemembersItsScaleAndOption();
  void everyToolButtonExplainsItself();
};

void DiagramTest::onlyTheLastArmedToolActs_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<bool>("escape");
  QTest::addColumn<QString>("second");
  QTest::addColumn<QString>("opened");
  QTest::newRow("generator cancelled, then device")
      << QString::fromLatin1(names::kAddGeneratorTool) << false
      << QString::fromLatin1(names::kAddDeviceTool) << "TForm5";
  QTest::newRow("disconnect, Escape, then connect")
      << QString::fromLatin1(names::kDisconnectTool) << true
      << QString::fromLatin1(names::kConnectTool) << "";
}

// The first tool leaves its button pressed (its dialog cancelled, or Escape);
// the second tool's click opens its own dialog only.
void DiagramTest::onlyTheLastArmedToolActs() {
  QFETCH(QString, first);
  QFETCH(bool, escape);
  QFETCH(QString, second);
  QFETCH(QString, opened);
  Diagram diagram;
  auto seen = std::make_shared<QStringList>();
  const auto record = [seen](bool accept) {
    return OnModal<QDialog>([seen, accept](QDialog* dialog) {
      seen->append(dialog->objectName());
      accept ? dialog->accept() : dialog->reject();
    });
  };
  {
    const auto cancel = record(false);
    diagram.Press(first.toLatin1().constData());
    diagram.shown.ClickCanvas(escape ? QPoint(205, 105) : QPoint(600, 600));
    if (escape)
      QTest::keyClick(diagram.shown.window.get(), Qt::Key_Escape);
  }
  seen->clear();
  const auto accept = record(true);
  diagram.Press(second.toLatin1().constData());
  diagram.shown.ClickCanvas(QPoint(105, 105));
  QTest::qWait(50);
  QCOMPARE(seen->join(","), opened);
  QVERIFY(!diagram.Action(first.toLatin1().constData()).isChecked());
}

void DiagramTest::zoomKeepsThePointUnderThePointerAndComesBackNearTheEdges() {
  Diagram diagram;
  const QPoint anchor(150, 120);
  // Away from the edges the point under the pointer stays, within a view pixel.
  diagram.area().ZoomAt(100, anchor);
  // The picture point (650, 700): at 25 % too the bars can keep it there.
  diagram.area().horizontalScrollBar()->setValue(500);
  diagram.area().verticalScrollBar()->setValue(580);
  const QPointF point = diagram.PictureAt(anchor);
  for (const int percent : {150, 200, 300, 400, 300, 200, 150, 100, 75, 50, 25, 50, 100}) {
    diagram.area().ZoomAt(percent, anchor);
    const QPointF now = diagram.PictureAt(anchor);
    QVERIFY2(std::abs(now.x() - point.x()) <= 100.0 / percent &&
                 std::abs(now.y() - point.y()) <= 100.0 / percent,
             qPrintable(QStringLiteral("%1 %").arg(percent)));
  }
  // Near the top-left corner the bars stop at 0; out and back in is the same view.
  diagram.area().horizontalScrollBar()->setValue(40);
  diagram.area().verticalScrollBar()->setValue(30);
  for (const int percent : {50, 25, 50, 100})
    diagram.area().ZoomAt(percent, anchor);
  QCOMPARE(diagram.Scroll(), QPoint(40, 30));
}

void DiagramTest::resetShowsTheOriginAndFitShowsTheWholeModel() {
  Diagram diagram;
  diagram.area().ZoomAt(200, QPoint(100, 100));
  diagram.area().horizontalScrollBar()->setValue(900);
  diagram.Action("ZoomResetItem").trigger();
  QCOMPARE(diagram.shown.canvas().width(), RasterCanvas::kWidth);
  QCOMPARE(diagram.Scroll(), QPoint(0, 0));
  diagram.Action("ZoomFitItem").trigger();
  QCOMPARE(diagram.Action("ZoomFitItem").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_9));
  const QRect viewport = diagram.area().viewport()->rect();
  for (const QPoint corner : {QPoint(100, 90), QPoint(415, 220)}) {
    const int zoom = diagram.shown.window->findChild<CanvasView*>()->zoom();
    const QPoint shown =
        diagram.shown.canvas().mapTo(diagram.area().viewport(), corner * zoom / 100);
    QVERIFY2(viewport.contains(shown), qPrintable(QStringLiteral("%1 %").arg(zoom)));
  }
}

// The texts are the view's: the picture keeps its pixels; the option hides them.
void DiagramTest::namesAndProbabilitiesLieOverThePictureOnly() {
  Diagram diagram;
  const QByteArray picture(
      reinterpret_cast<const char*>(diagram.shown.window->picture().image().bytes.data()),
      qsizetype(diagram.shown.window->picture().image().bytes.size()));
  const QRect below_queue(195, 113, 26, 12);   // "Q1"
  const QRect second_route(226, 192, 20, 11);  // "0.75" above the run into device 2
  QVERIFY(HasInk(diagram.Shown(below_queue)));
  QVERIFY(HasInk(diagram.Shown(second_route)));
  diagram.Action("DiagramLabelsItem").trigger();
  QVERIFY(!HasInk(diagram.Shown(below_queue)));
  QVERIFY(!HasInk(diagram.Shown(second_route)));
  // Pointing at the queue brings out its routes again, in a colour of their own.
  diagram.shown.MoveOnCanvas(QPoint(205, 105));
  QVERIFY(HasInk(diagram.Shown(second_route)));
  QCOMPARE(diagram.Shown(QRect(223, 150, 1, 1)).pixelColor(0, 0), QColor(230, 110, 0));
  QCOMPARE(QByteArray(
               reinterpret_cast<const char*>(diagram.shown.window->picture().image().bytes.data()),
               picture.size()),
           picture);
}

void DiagramTest::elementDialogsSayWhatTheLawGives_data() {
  QTest::addColumn<QPoint>("element");
  QTest::addColumn<int>("law");
  QTest::addColumn<bool>("spread");
  QTest::addColumn<QString>("hint");
  QTest::newRow("generator, uniform") << QPoint(105, 105) << 0 << true
                                      << "Среднее m, от m(1 − disp) до m(1 + disp); при disp > 1 "
                                         "бывают отрицательные";
  QTest::newRow("generator, Poisson")
      << QPoint(105, 105) << 1 << false
      << "Среднее m, кратно m/30, от 0 до 57·m/30, бывает 0; дисперсия не нужна";
  QTest::newRow("device, old exponential")
      << QPoint(305, 105) << 3 << true
      << "Старый закон: среднее m(1 − disp), не m; при disp > 0 бывают отрицательные";
  QTest::newRow("device, constant")
      << QPoint(305, 105) << 4 << false << "Всегда ровно m; дисперсия не нужна";
}

// The hint follows the list, the spread is off for the laws that ignore it,
// Tab reaches the list, and the channels' range stands beside their field.
void DiagramTest::elementDialogsSayWhatTheLawGives() {
  QFETCH(QPoint, element);
  QFETCH(int, law);
  QFETCH(bool, spread);
  QFETCH(QString, hint);
  Diagram diagram;
  auto seen = std::make_shared<QStringList>();
  const auto answer = OnModal<ElementDialog>([seen, law](ElementDialog* d) {
    d->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(law);
    const bool generator = d->objectName() == QStringLiteral("TForm3");
    const char* spread_name = generator ? "Edit3" : "Edit2";
    *seen << d->findChild<QLabel*>(QStringLiteral("LawHint"))->text()
          << QString::number(d->findChild<QLineEdit*>(QLatin1String(spread_name))->isEnabled());
    d->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setFocus();
    for (int tab = 0; tab < 8 && !d->focusWidget()->inherits("QComboBox"); ++tab)
      QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
    seen->append(d->focusWidget()->objectName());
    if (!generator)
      seen->append(d->findChild<QLabel*>(QStringLiteral("ChannelsRange"))->text());
    d->reject();
  });
  diagram.shown.DoubleClickCanvas(element);
  QCOMPARE(seen->value(0), hint);
  QCOMPARE(seen->value(1), QString::number(spread));
  QCOMPARE(seen->value(2), QStringLiteral("ComboBox1"));
  if (element.x() > 300)
    QCOMPARE(seen->value(3), QStringLiteral("от 1 до 50"));
}

void DiagramTest::theFailedLineIsMarkedUntilTheTextReads() {
  ShownMainWindow shown;
  auto& editor = static_cast<CodeEditor&>(shown.text_pane());
  // Every character as wide as any other: Qt's own fixed-pitch flag is false for
  // some monospaced fonts (Noto Sans Mono, whose fontconfig spacing is "dual").
  const QFontMetrics metrics(editor.font());
  for (const QChar c : QStringLiteral("W.Ж;1"))
    QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(QLatin1Char('i')));
  QVERIFY(editor.NumberMarginWidth() > 0);
  shown.TypeModel(QStringLiteral("generator 1;\nxc 10;\nla x;\n"));
  auto seen = std::make_shared<SeenMessageBox>();
  {
    const auto close = CloseNextMessageBox(seen);
    shown.window->ShowVisualEditor();
  }
  QCOMPARE(editor.failed_line(), 3);
  QCOMPARE(editor.extraSelections().size(), 1);
  QCOMPARE(editor.extraSelections().front().cursor.blockNumber(), 2);
  shown.TypeModel(QStringLiteral("generator 1;\nxc 10;\nla 3;\n"));
  shown.window->ShowVisualEditor();
  QCOMPARE(editor.failed_line(), 0);
  QVERIFY(editor.extraSelections().isEmpty());
}

// The command ends; the pane keeps every line, marked at the first that would go.
void DiagramTest::cancellingTheDroppedLinesKeepsThem() {
  ShownMainWindow shown;
  const QString typed = QStringLiteral("queue 1;\nname My Queue;x\nLa 3;\n");
  shown.TypeModel(typed);
  {
    const auto cancel = AnswerNextQuestion(QMessageBox::Cancel);
    shown.window->ShowVisualEditor();
  }
  QVERIFY(shown.text_pane().isVisible());
  QCOMPARE(shown.pane_text(), typed);
  QCOMPARE(static_cast<CodeEditor&>(shown.text_pane()).failed_line(), 2);
  QCOMPARE(shown.text_pane().textCursor().blockNumber(), 1);
}

// What the first window leaves, the next one starts with.
void DiagramTest::theWindowRemembersItsScaleAndOption() {
  {
    Diagram diagram;
    diagram.area().ZoomAt(150, QPoint());
    diagram.Action("DiagramLabelsItem").trigger();
    diagram.shown.window->resize(620, 480);
    const auto discard = AnswerNextQuestion(QMessageBox::Discard);
    QVERIFY(diagram.shown.window->close());
  }
  ShownMainWindow next;
  QCOMPARE(next.window->findChild<CanvasView*>()->zoom(), 150);
  QVERIFY(!next.window->findChild<QAction*>(QStringLiteral("DiagramLabelsItem"))->isChecked());
  QCOMPARE(next.window->size(), QSize(620, 480));
  QSettings().clear();
}

void DiagramTest::everyToolButtonExplainsItself() {
  ShownMainWindow shown;
  for (const char* bar : {"ToolBar1", "ToolBar2"}) {
    for (QAction* action : shown.window->findChild<QToolBar*>(QLatin1String(bar))->actions()) {
      if (action->isSeparator())
        continue;
      QVERIFY2(!action->toolTip().isEmpty() && !action->statusTip().isEmpty(),
               qPrintable(action->objectName()));
    }
  }
}

}  // namespace qsim::gui

QTEST_MAIN(qsim::gui::DiagramTest)
#include "diagram_test.moc"
