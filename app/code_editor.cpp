#include "app/code_editor.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

#include <algorithm>

namespace qsim::gui {
namespace {

const QColor kFailedLineGround(255, 215, 215);
const QColor kMarginGround(240, 240, 240);
const QColor kNumberColour(120, 120, 120);

}  // namespace

class CodeEditor::NumberMargin : public QWidget {
 public:
  explicit NumberMargin(CodeEditor* editor) : QWidget(editor), editor_(editor) {
    setObjectName(QStringLiteral("LineNumbers"));
  }
  QSize sizeHint() const override { return {editor_->NumberMarginWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { editor_->PaintNumbers(event); }

 private:
  CodeEditor* editor_;
};

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), margin_(new NumberMargin(this)) {
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { FitMargin(); });
  connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::FollowScroll);
  FitMargin();
}

int CodeEditor::NumberMarginWidth() const {
  const int digits = int(QString::number(std::max(1, blockCount())).size());
  return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 2);
}

void CodeEditor::SetFailedLine(int line) {
  failed_line_ = line;
  ShowFailedLine();
}

// Held as an extra selection, so that the document and its undo keep no trace.
void CodeEditor::ShowFailedLine() {
  QList<QTextEdit::ExtraSelection> marks;
  const QTextBlock block = document()->findBlockByNumber(failed_line_ - 1);
  if (failed_line_ > 0 && block.isValid()) {
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(kFailedLineGround);
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.cursor = QTextCursor(block);
    marks.append(mark);
  }
  setExtraSelections(marks);
}

void CodeEditor::FitMargin() {
  setViewportMargins(NumberMarginWidth(), 0, 0, 0);
  margin_->update();
}

void CodeEditor::FollowScroll(const QRect& rect, int dy) {
  if (dy != 0)
    margin_->scroll(0, dy);
  else
    margin_->update(0, rect.y(), margin_->width(), rect.height());
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect inside = contentsRect();
  margin_->setGeometry(QRect(inside.left(), inside.top(), NumberMarginWidth(), inside.height()));
}

void CodeEditor::PaintNumbers(QPaintEvent* event) {
  QPainter painter(margin_);
  painter.fillRect(event->rect(), kMarginGround);
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    const int height = qRound(blockBoundingRect(block).height());
    if (block.isVisible() && top + height >= event->rect().top()) {
      QFont numbers = font();
      numbers.setBold(block.blockNumber() + 1 == failed_line_);
      painter.setFont(numbers);
      painter.setPen(block.blockNumber() + 1 == failed_line_ ? Qt::darkRed : kNumberColour);
      painter.drawText(0, top, margin_->width() - 4, height, Qt::AlignRight,
                       QString::number(block.blockNumber() + 1));
    }
    block = block.next();
    top += height;
  }
}

}  // namespace qsim::gui
