#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "foundation/qsim_error.h"

namespace qsim::gui {

// The core keeps every text as Windows-1251 bytes; the windows show QStrings.
// Characters that Windows-1251 lacks become "?" on the way in.
QString FromCp1251(std::string_view cp1251);
std::string ToCp1251(const QString& text);

// The message of an error as the user reads it, without the final full stop. The
// core's messages are Windows-1251, except that a file error quotes a file system
// path and the system's reason in the local encoding (UTF-8): a message that is
// valid UTF-8 is taken as such, since Russian Windows-1251 text practically never is.
QString MessageText(const QsimError& error);

}  // namespace qsim::gui
