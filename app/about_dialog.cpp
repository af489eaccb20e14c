#include "app/about_dialog.h"
#include "app/object_names.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/window_titles.h"

namespace qsim::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QLatin1String(names::kAboutDialog));
  setWindowTitle(QStringLiteral("о программе"));
  auto* title = new QLabel(PlainCaption(), this);
  title->setObjectName(QStringLiteral("TitleLabel"));
  QFont font = title->font();
  font.setBold(true);
  font.setUnderline(true);
  title->setFont(font);
  auto* version = new QLabel(QStringLiteral("версия 1.0"), this);
  auto* ok = new QPushButton(QStringLiteral("ОК"), this);
  ok->setObjectName(QStringLiteral("OkButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  layout->addWidget(version, 0, Qt::AlignHCenter);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace qsim::gui
