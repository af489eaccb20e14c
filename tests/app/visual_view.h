#pragma once

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QToolBar>
#include <QtTest>

#include "app/canvas_scroll_area.h"
#include "app/main_window.h"
#include "gui_test_support.h"

namespace qsim::gui {

// The main window, 500 x 400, in the visual editor with `model` typed in, its
// canvas scrolled and zoomed as the user leaves it; points are the view's own
// pixels.
struct VisualView {
  explicit VisualView(const QString& model) {
    shown.window->resize(500, 400);
    shown.TypeModel(model);
    shown.window->ShowVisualEditor();
    shown.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown.window.get()));
  }

  CanvasScrollArea& area() const {
    return *shown.window->findChild<CanvasScrollArea*>(QStringLiteral("CanvasScrollArea"));
  }
  QWidget& canvas() const { return shown.canvas(); }
  QAction& Action(const char* name) const {
    return *shown.window->findChild<QAction*>(QLatin1String(name));
  }
  void Press(const char* name) const {
    auto& bar = static_cast<QToolBar&>(shown.editing_bar());
    QTest::mouseClick(bar.widgetForAction(&Action(name)), Qt::LeftButton);
  }
  // A key of the window's, which must be active again after a dialog.
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const {
    shown.window->activateWindow();
    QVERIFY(QTest::qWaitFor(
        [this] { return QGuiApplication::focusWindow() == shown.window->windowHandle(); }));
    QTest::keyClick(shown.window.get(), Qt::Key(key), modifiers);
  }
  void PointAt(QPoint p) const { shown.PointAtCanvas(p); }
  void Click(QPoint p) const { shown.ClickCanvas(p); }
  void DoubleClick(QPoint p) const { shown.DoubleClickCanvas(p); }
  void Move(QPoint p) const { shown.MoveOnCanvas(p); }
  QString Panel(const char* name) const {
    return shown.window->findChild<QLabel*>(QLatin1String(name))->text();
  }
  // Scrolls so that view point `p` lies 100 pixels right of and below the
  // viewport's corner, as far as the bars go.
  void ScrollTo(QPoint p) const {
    area().horizontalScrollBar()->setValue(p.x() - 100);
    area().verticalScrollBar()->setValue(p.y() - 100);
  }
  const ModelStore& store() const { return shown.window->store(); }

  ShownMainWindow shown;
};

}  // namespace qsim::gui
