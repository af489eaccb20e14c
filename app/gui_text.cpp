#include "app/gui_text.h"

#include <QStringDecoder>

#include "foundation/code_page.h"

namespace qsim::gui {

QString FromCp1251(std::string_view cp1251) {
  return QString::fromStdString(Cp1251ToUtf8(cp1251));
}

std::string ToCp1251(const QString& text) {
  return Utf8ToCp1251(text.toStdString());
}

QString MessageText(const QsimError& error) {
  const std::string message = error.message();
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString decoded = utf8.decode(QByteArrayView(message.data(), qsizetype(message.size())));
  if (!utf8.hasError())
    return decoded;
  return FromCp1251(message);
}

}  // namespace qsim::gui
