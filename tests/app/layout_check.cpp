#include "layout_check.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>

namespace qsim::gui {
namespace {

QString Describe(const QWidget& widget, const QString& text) {
  const QString name = widget.objectName().isEmpty()
                           ? QString::fromLatin1(widget.metaObject()->className())
                           : widget.objectName();
  return QStringLiteral("%1 \"%2\"").arg(name, text);
}

int Advance(const QWidget& widget, const QString& text) {
  return widget.fontMetrics().horizontalAdvance(text);
}

QString TooNarrow(const QWidget& widget, const QString& text, int room) {
  return QStringLiteral("%1 needs %2 px, has %3")
      .arg(Describe(widget, text))
      .arg(Advance(widget, text))
      .arg(room);
}

// Widgets that a text must not cover. Their own inner parts (a list's scroll
// bars, a spin box's edit) belong to them and are not controls of their own.
bool IsControl(const QWidget& widget) {
  for (const QWidget* up = widget.parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QAbstractSpinBox*>(up) ||
        qobject_cast<const QAbstractScrollArea*>(up) || qobject_cast<const QTabBar*>(up))
      return false;
  }
  return qobject_cast<const QLabel*>(&widget) || qobject_cast<const QAbstractButton*>(&widget) ||
         qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
         qobject_cast<const QAbstractSpinBox*>(&widget) ||
         qobject_cast<const QAbstractScrollArea*>(&widget) ||
         qobject_cast<const QTabBar*>(&widget) || qobject_cast<const QGroupBox*>(&widget);
}

bool Related(const QWidget& a, const QWidget& b) {
  return a.isAncestorOf(&b) || b.isAncestorOf(&a);
}

void CheckLabel(const QLabel& label, QStringList& faults) {
  if (label.wordWrap() || label.text().isEmpty())
    return;
  const int room = label.contentsRect().width() - 2 * label.margin();
  for (const QString& line : label.text().split(QLatin1Char('\n'))) {
    if (Advance(label, line) > room)
      faults << TooNarrow(label, line, room);
  }
}

// The room for a check box's or radio button's text: the widget less its indicator.
void CheckIndicatorButton(const QAbstractButton& button, QStyle::SubElement contents,
                          QStringList& faults) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const int room = button.style()->subElementRect(contents, &option, &button).width();
  if (Advance(button, button.text()) > room)
    faults << TooNarrow(button, button.text(), room);
}

void CheckPushButton(const QPushButton& button, QStringList& faults) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const int room =
      button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
  if (Advance(button, button.text()) > room)
    faults << TooNarrow(button, button.text(), room);
}

void CheckGroupBox(const QGroupBox& box, QStringList& faults) {
  if (box.title().isEmpty())
    return;
  QStyleOptionGroupBox option;
  option.initFrom(&box);
  option.text = box.title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect title =
      box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
  if (title.left() < 0 || title.right() > box.rect().right())
    faults << TooNarrow(box, box.title(), box.width());
}

void CheckTabs(const QTabBar& tabs, QStringList& faults) {
  for (int i = 0; i < tabs.count(); ++i) {
    const QRect tab = tabs.tabRect(i);
    if (!tabs.rect().contains(tab) || Advance(tabs, tabs.tabText(i)) > tab.width())
      faults << TooNarrow(tabs, tabs.tabText(i), tab.width());
  }
}

// The room for an item is the list's field less its arrow and frame.
void CheckComboBox(const QComboBox& list, QStringList& faults) {
  QStyleOptionComboBox option;
  option.initFrom(&list);
  option.editable = list.isEditable();
  option.frame = list.hasFrame();
  const int room =
      list.style()
          ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list)
          .width();
  for (int i = 0; i < list.count(); ++i) {
    if (Advance(list, list.itemText(i)) > room)
      faults << TooNarrow(list, list.itemText(i), room);
  }
}

void CheckTextRoom(const QWidget& widget, QStringList& faults) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget))
    CheckLabel(*label, faults);
  else if (const auto* box = qobject_cast<const QCheckBox*>(&widget))
    CheckIndicatorButton(*box, QStyle::SE_CheckBoxContents, faults);
  else if (const auto* radio = qobject_cast<const QRadioButton*>(&widget))
    CheckIndicatorButton(*radio, QStyle::SE_RadioButtonContents, faults);
  else if (const auto* button = qobject_cast<const QPushButton*>(&widget))
    CheckPushButton(*button, faults);
  else if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
    CheckGroupBox(*group, faults);
  else if (const auto* tabs = qobject_cast<const QTabBar*>(&widget))
    CheckTabs(*tabs, faults);
  else if (const auto* list = qobject_cast<const QComboBox*>(&widget))
    CheckComboBox(*list, faults);
}

QRect InWindow(const QWidget& widget, const QWidget& window) {
  return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size());
}

}  // namespace

QStringList LayoutFaults(const QWidget& window) {
  QList<const QWidget*> controls;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->isVisible() && !widget->isWindow() && IsControl(*widget))
      controls << widget;
  }
  QStringList faults;
  for (const QWidget* control : controls) {
    CheckTextRoom(*control, faults);
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label == nullptr || label->text().isEmpty())
      continue;
    for (const QWidget* other : controls) {
      if (other != control && !Related(*control, *other) &&
          InWindow(*control, window).intersects(InWindow(*other, window)))
        faults << QStringLiteral("%1 overlaps %2")
                      .arg(Describe(*label, label->text()), Describe(*other, QString()));
    }
  }
  return faults;
}

}  // namespace qsim::gui
