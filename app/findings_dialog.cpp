#include "app/findings_dialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui_text.h"
#include "app/object_names.h"

namespace qsim::gui {

FindingsDialog::FindingsDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      findings_text_(new QPlainTextEdit(this)),
      edit_button_(new QPushButton(QStringLiteral("<- Отредактировать модель"), this)),
      continue_button_(new QPushButton(QStringLiteral("Продолжить расчет  ->"), this)) {
  setObjectName(QLatin1String(names::kFindingsDialog));
  setWindowTitle(QStringLiteral("Обнаруженные неточности в модели"));
  resize(475, 350);
  findings_text_->setObjectName(QLatin1String(names::kFindingsText));
  findings_text_->setReadOnly(true);
  edit_button_->setObjectName(QLatin1String(names::kBackToEditingButton));
  continue_button_->setObjectName(QLatin1String(names::kContinueButton));
  edit_button_->setAutoDefault(false);
  continue_button_->setAutoDefault(false);
  connect(edit_button_, &QPushButton::clicked, this, &QDialog::reject);
  connect(continue_button_, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(edit_button_);
  buttons->addStretch();
  buttons->addWidget(continue_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(findings_text_);
  layout->addLayout(buttons);
}

bool FindingsDialog::Review(const ValidationResult& result) {
  findings_text_->clear();
  for (const std::string& finding : result.findings)
    findings_text_->appendPlainText(FromCp1251(finding));
  setWindowTitle(FromCp1251(result.caption));
  continue_button_->setEnabled(!result.blocking);
  return exec() == QDialog::Accepted;
}

}  // namespace qsim::gui
