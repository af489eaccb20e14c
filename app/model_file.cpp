#include "app/model_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "app/gui_text.h"
#include "language/text_file.h"
#include "model/qsim_error.h"

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
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    ThrowFileError("Cannot create file", path, file.errorString());
  for (const std::string& line : lines) {
    file.write(line.data(), qint64(line.size()));
    file.write("\r\n", 2);
  }
  if (!file.commit())
    ThrowFileError("Cannot create file", path, file.errorString());
}

}  // namespace qsim::gui
