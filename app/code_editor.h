#pragma once

#include <QPlainTextEdit>

namespace qsim::gui {

// The code editor's text pane `Memo2`: the model text in the platform's
// fixed-width font, with the line numbers in a margin to its left and the line
// on which the last reading failed marked by its background until the text is
// read without error.
class CodeEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CodeEditor(QWidget* parent);

  // Marks line `line` (from 1); 0 takes the mark away.
  void SetFailedLine(int line);
  int failed_line() const { return failed_line_; }

  // The margin's width for the current number of lines.
  int NumberMarginWidth() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class NumberMargin;

  void PaintNumbers(QPaintEvent* event);
  void FitMargin();
  void FollowScroll(const QRect& rect, int dy);
  void ShowFailedLine();

  NumberMargin* margin_;
  int failed_line_ = 0;
};

}  // namespace qsim::gui
