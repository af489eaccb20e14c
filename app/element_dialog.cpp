#include "app/element_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/error_box.h"
#include "app/gui_text.h"
#include "language/element_captions.h"

namespace qsim::gui {

ElementDialog::ElementDialog(const char* name, QSize client, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QLatin1String(name));
  setWindowTitle(QLatin1String(name));
  setModal(true);
  QFont small(QStringLiteral("MS Sans Serif"));
  small.setPixelSize(11);
  setFont(small);
  setFixedSize(client);
}

void ElementDialog::accept() {
  const std::optional<BadField> bad = FirstBadField();
  if (!bad) {
    QDialog::accept();
    return;
  }
  ShowErrorBox(this, bad->message);
  bad->field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(bad->field))
    edit->selectAll();
}

std::optional<ElementDialog::BadField> ElementDialog::BadFieldOf(
    const std::optional<FieldFault>& fault) const {
  if (!fault)
    return std::nullopt;
  return BadField{FieldWidget(fault->field), FromCp1251(fault->message)};
}

// Over the main window, where the user's eyes are, whatever its place on screen.
void ElementDialog::showEvent(QShowEvent* event) {
  if (const QWidget* owner = parentWidget()) {
    const QPoint centre = owner->window()->geometry().center();
    move(centre.x() - width() / 2, centre.y() - height() / 2);
  }
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
  button->setDefault(true);
  button->setGeometry(at);
  connect(button, &QPushButton::clicked, this, &QDialog::accept);
  return button;
}

QPushButton* ElementDialog::AddCancelButton(QRect at) {
  auto* button = new QPushButton(QStringLiteral("Отмена"), this);
  button->setObjectName(QStringLiteral("CancelButton"));
  button->setAutoDefault(false);
  button->setGeometry(at);
  connect(button, &QPushButton::clicked, this, &QDialog::reject);
  return button;
}

void ChoosePosition(QComboBox& list, int position) {
  list.setCurrentIndex(position >= 0 && position < list.count() ? position : -1);
}

}  // namespace qsim::gui
