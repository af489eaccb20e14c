#include "app/element_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui_text.h"
#include "language/element_captions.h"

namespace qsim::gui {

ElementDialog::ElementDialog(const char* name, QSize client, QPoint screen_position,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      screen_position_(screen_position) {
  setObjectName(QLatin1String(name));
  setWindowTitle(QLatin1String(name));
  setModal(true);
  QFont small(QStringLiteral("MS Sans Serif"));
  small.setPixelSize(11);
  setFont(small);
  setFixedSize(client);
}

void ElementDialog::reject() {}

void ElementDialog::showEvent(QShowEvent* event) {
  move(screen_position_);
  QDialog::showEvent(event);
}

QLabel* ElementDialog::AddLabel(const QString& text, int top) {
  auto* label = new QLabel(text, this);
  label->move(0, top);
  label->adjustSize();
  return label;
}

QLineEdit* ElementDialog::AddEdit(const char* name, QPoint at, int width) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QLatin1String(name));
  edit->setGeometry(at.x(), at.y(), width, 21);
  return edit;
}

QComboBox* ElementDialog::AddComboBox(QPoint at, int width) {
  auto* list = new QComboBox(this);
  list->setObjectName(QStringLiteral("ComboBox1"));
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setGeometry(at.x(), at.y(), width, 21);
  return list;
}

QComboBox* ElementDialog::AddDistributionList(QPoint at, int width) {
  QComboBox* list = AddComboBox(at, width);
  for (DistributionKind law = kUniform; law <= kLastDistribution; ++law)
    list->addItem(FromCp1251(DistributionName(law)));
  list->setCurrentIndex(0);
  return list;
}

QPushButton* ElementDialog::AddOkButton(const QString& text, QRect at) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(QStringLiteral("Button1"));
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setGeometry(at);
  connect(button, &QPushButton::clicked, this, &QDialog::accept);
  return button;
}

int ChosenPosition(const QComboBox& list) {
  const int current = list.currentIndex();
  if (current >= 0 && list.itemText(current) == list.currentText())
    return current;
  return list.findText(list.currentText(), Qt::MatchExactly);
}

void ChoosePosition(QComboBox& list, int position) {
  list.setCurrentIndex(position >= 0 && position < list.count() ? position : -1);
}

}  // namespace qsim::gui
