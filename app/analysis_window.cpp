#include "app/analysis_window.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/gui_text.h"
#include "app/window_size.h"

namespace qsim::gui {

AnalysisWindow::AnalysisWindow(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit) {
  setObjectName(QStringLiteral("AnalysisWindow"));
  setWindowTitle(QStringLiteral("Анализ модели"));
  text_->setObjectName(QStringLiteral("AnalysisText"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(buttons);
  resize(OpeningSize(*this, QSize(760, 420)));
}

void AnalysisWindow::ShowLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines)
    text << FromCp1251(line);
  text_->setPlainText(text.join(QLatin1Char('\n')));
  show();
  raise();
  activateWindow();
}

}  // namespace qsim::gui
