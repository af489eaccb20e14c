#include "app/text_pane.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>

#include "app/gui_text.h"

namespace qsim::gui {
namespace {

QStringList CountedTextLines(const QPlainTextEdit& pane) {
  QStringList lines = pane.toPlainText().split(QLatin1Char('\n'));
  if (lines.last().isEmpty())
    lines.removeLast();
  return lines;
}

}  // namespace

std::vector<std::string> PaneLines(const QPlainTextEdit& pane) {
  std::vector<std::string> lines;
  for (const QString& line : CountedTextLines(pane))
    lines.push_back(ToCp1251(line));
  return lines;
}

void SetPaneLines(QPlainTextEdit& pane, const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines)
    text.append(FromCp1251(line));
  const QString joined = text.join(QLatin1Char('\n'));
  if (joined != pane.toPlainText())
    pane.setPlainText(joined);
}

void PutCursorOnLine(QPlainTextEdit& pane, int line) {
  const QTextBlock block = pane.document()->findBlockByNumber(line - 1);
  if (!block.isValid())
    return;
  pane.setTextCursor(QTextCursor(block));
  pane.ensureCursorVisible();
}

int CountedLines(const QPlainTextEdit& pane) {
  return int(CountedTextLines(pane).size());
}

}  // namespace qsim::gui
