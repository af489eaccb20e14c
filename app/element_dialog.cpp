#include "app/element_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/error_box.h"
#include "app/gui_text.h"
#include "app/list_width.h"
#include "language/element_captions.h"

namespace qsim::gui {

ElementDialog::ElementDialog(const char* name, QSize client, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      least_client_(client),
      rows_(new QGridLayout),
      buttons_(new QHBoxLayout) {
  setObjectName(QLatin1String(name));
  setWindowTitle(QLatin1String(name));
  setModal(true);
  rows_->setColumnStretch(1, 1);
  buttons_->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows_);
  layout->addStretch();
  layout->addLayout(buttons_);
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
// A list's items may have changed since the last opening.
void ElementDialog::showEvent(QShowEvent* event) {
  FitToContents();
  if (const QWidget* owner = parentWidget()) {
    const QPoint centre = owner->window()->geometry().center();
    move(centre.x() - width() / 2, centre.y() - height() / 2);
  }
  QDialog::showEvent(event);
}

QLineEdit* ElementDialog::AddEdit(const char* name, int width) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QLatin1String(name));
  edit->setMinimumWidth(width);
  return edit;
}

QComboBox* ElementDialog::AddComboBox(int width) {
  auto* list = new QComboBox(this);
  list->setObjectName(QStringLiteral("ComboBox1"));
  list->setMinimumWidth(width);
  return list;
}

QComboBox* ElementDialog::AddDistributionList(int width) {
  QComboBox* list = AddComboBox(width);
  for (DistributionKind law = kUniform; law <= kLastDistribution; ++law)
    list->addItem(FromCp1251(DistributionName(law)));
  list->setCurrentIndex(0);
  FitListToItems(*list, width);
  return list;
}

QLabel* ElementDialog::AddRow(const QString& label, QWidget* field) {
  auto* text = new QLabel(label, this);
  text->setBuddy(field);
  const int row = rows_->rowCount();
  rows_->addWidget(text, row, 0);
  rows_->addWidget(field, row, 1);
  return text;
}

QLabel* ElementDialog::AddRow(const QString& label, QLayout* fields) {
  auto* text = new QLabel(label, this);
  const int row = rows_->rowCount();
  rows_->addWidget(text, row, 0, Qt::AlignTop);
  rows_->addLayout(fields, row, 1);
  return text;
}

QPushButton* ElementDialog::AddOkButton(const QString& text, QSize least) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(QStringLiteral("Button1"));
  button->setDefault(true);
  button->setMinimumSize(least);
  buttons_->addWidget(button);
  connect(button, &QPushButton::clicked, this, &QDialog::accept);
  return button;
}

QPushButton* ElementDialog::AddCancelButton(QSize least) {
  auto* button = new QPushButton(QStringLiteral("Отмена"), this);
  button->setObjectName(QStringLiteral("CancelButton"));
  button->setAutoDefault(false);
  button->setMinimumSize(least);
  buttons_->insertWidget(1, button);
  connect(button, &QPushButton::clicked, this, &QDialog::reject);
  return button;
}

void ElementDialog::FitToContents() {
  ensurePolished();
  layout()->invalidate();
  setFixedSize(sizeHint().expandedTo(least_client_));
}

void ChoosePosition(QComboBox& list, int position) {
  list.setCurrentIndex(position >= 0 && position < list.count() ? position : -1);
}

}  // namespace qsim::gui
