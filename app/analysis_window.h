#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace qsim::gui {

// «Анализ модели»: what the traffic equations and queueing theory say of the model,
// beside the values of its last run, as read-only text that can be copied. It stays
// open beside the main window; a new analysis replaces its text. Qt object names:
// `AnalysisWindow`, its text `AnalysisText`.
class AnalysisWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AnalysisWindow(QWidget* parent);

  // Shows the lines (Windows-1251) and brings the window forward.
  void ShowLines(const std::vector<std::string>& lines);

 private:
  QPlainTextEdit* text_;
};

}  // namespace qsim::gui
