#include "app/element_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/error_box.h"
#include "app/gui_text.h"
#include "app/law_hint.h"
#include "app/list_width.h"
#include "app/object_names.h"
#include "app/window_size.h"
#include "language/element_captions.h"

namespace qsim::gui {
namespace {

// The line added under a conversion error: the field by its label, and the form
// its text must take.
QString FieldFormLine(DialogField field) {
  switch (field) {
    case DialogField::La:
      return QStringLiteral("Поле «Интенсивность потока заявок»: целое число, больше 0");
    case DialogField::Rasp:
      return QString();
    case DialogField::Disp:
      return QStringLiteral("Поле «Дисперсия»: число, например 0") + QLocale().decimalPoint() +
             QStringLiteral("5");
    case DialogField::Prior:
      return QStringLiteral("Поле «Уровень приоритета заявок»: целое число");
    case DialogField::Len:
      return QStringLiteral("Поле «Максимальная длина»: целое число от 1 до 200");
    case DialogField::V:
      return QStringLiteral("Поле «Среднее время обслуживания»: число, например 2") +
             QLocale().decimalPoint() + QStringLiteral("5");
    case DialogField::K:
      break;
  }
  return QStringLiteral("Поле «Число каналов»: целое число от 1 до 50");
}

}  // namespace

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
  bad->field->setEnabled(true);  // a spread the chosen law ignores must still convert
  bad->field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(bad->field))
    edit->selectAll();
}

std::optional<ElementDialog::BadField> ElementDialog::BadFieldOf(
    const std::optional<FieldFault>& fault) const {
  if (!fault)
    return std::nullopt;
  const QString form = FieldFormLine(fault->field);
  // The conversion's own message stays first and whole; the box adds its full stop.
  return BadField{FieldWidget(fault->field),
                  form.isEmpty() ? FromCp1251(fault->message)
                                 : FromCp1251(fault->message) + QStringLiteral(".\n") + form};
}

// Over the main window, where the user's eyes are, whatever its place on screen.
// A list's items may have changed since the last opening.
void ElementDialog::showEvent(QShowEvent* event) {
  FitToContents();
  CentreOverOwner(*this);
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
  // Reached with Tab on every platform, not only by the pointer.
  list->setFocusPolicy(Qt::StrongFocus);
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

QLabel* ElementDialog::AddRow(const QString& label, QWidget* field, const QString& range,
                              const char* name) {
  auto* fields = new QHBoxLayout;
  fields->addWidget(field);
  auto* shown = new QLabel(range, this);
  shown->setObjectName(QLatin1String(name));
  fields->addWidget(shown);
  fields->addStretch();
  QLabel* text = AddRow(label, fields);
  text->setBuddy(field);
  rows_->setAlignment(text, Qt::AlignVCenter);
  return text;
}

void ElementDialog::AddLawHint(QComboBox* law_list, QWidget* spread) {
  auto* hint = new QLabel(this);
  hint->setObjectName(QLatin1String(names::kLawHint));
  hint->setToolTip(LawHintLegend());
  // A remark, in a grey that still reads well.
  QPalette remark = hint->palette();
  remark.setColor(QPalette::WindowText, QColor(80, 80, 80));
  hint->setPalette(remark);
  rows_->addWidget(hint, rows_->rowCount(), 0, 1, 2);
  const auto show_law = [hint, spread](int law) {
    hint->setText(LawHint(law));
    spread->setEnabled(LawUsesSpread(law));
  };
  connect(law_list, &QComboBox::currentIndexChanged, this, show_law);
  show_law(law_list->currentIndex());
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
