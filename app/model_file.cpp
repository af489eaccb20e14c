#include "app/model_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "app/gui_text.h"
#include "foundation/qsim_error.h"
#include "language/text_file.h"

namespace qsim::gui {
namespace {

[[noreturn]] void ThrowFileError(const char* what, const QString& path, const QString& reason) {
  const QString message = QString::fromLatin1(what) + QStringLiteral(" \"") +
                          QDir::toNativeSeparators(path) + QStringLiteral("\". ") + reason;
  throw QsimError(ToCp1251(message));
}

}  // namespace

std::vector<std::string> ReadModelFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    ThrowFileError("Cannot open file", path, file.errorString());
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    ThrowFileError("Cannot open file", path, file.errorString());
  return SplitLines(bytes.toStdString());
}

void WriteModelFile(const QString& path, const std::vector<std::string>& lines) {
  QByteArray bytes;
  for (const std::string& line : lines) {
    bytes.append(line.data(), qsizetype(line.size()));
    bytes.append("\r\n");
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    ThrowFileError("Cannot create file", path, file.errorString());
  // commit() alone misses an error of the last buffered write, so the text is
  // written and flushed first; an unfinished file is thrown away.
  if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
    ThrowFileError("Cannot create file", path, file.errorString());
}

}  // namespace qsim::gui
