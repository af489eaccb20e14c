#include "app/findings_dialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui_text.h"

namespace qsim::gui {

FindingsDialog::FindingsDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      memo1_(new QPlainTextEdit(this)),
      button1_(new QPushButton(QStringLiteral("<- Отредактировать модель"), this)),
      button2_(new QPushButton(QStringLiteral("Продолжить расчет  ->"), this)) {
  setObjectName(QStringLiteral("TForm9"));
  setWindowTitle(QStringLiteral("Обнаруженные неточности в модели"));
  resize(475, 350);
  memo1_->setObjectName(QStringLiteral("Memo1"));
  memo1_->setReadOnly(true);
  button1_->setObjectName(QStringLiteral("Button1"));
  button2_->setObjectName(QStringLiteral("Button2"));
  button1_->setAutoDefault(false);
  button2_->setAutoDefault(false);
  connect(button1_, &QPushButton::clicked, this, &QDialog::reject);
  connect(button2_, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(button1_);
  buttons->addStretch();
  buttons->addWidget(button2_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo1_);
  layout->addLayout(buttons);
}

bool FindingsDialog::Review(const ValidationResult& result) {
  memo1_->clear();
  for (const std::string& finding : result.findings)
    memo1_->appendPlainText(FromCp1251(finding));
  setWindowTitle(FromCp1251(result.caption));
  button2_->setEnabled(!result.blocking);
  return exec() == QDialog::Accepted;
}

}  // namespace qsim::gui
