#pragma once

#include <stdexcept>
#include <string>

namespace qsim {

// The one error that ends a command: a value that does not convert, a file that
// cannot be opened or created, or input beyond the store's limits. It carries the
// exact message text (Windows-1251, without the final full stop) and, where the
// reader knows it, the 1-based number of the model text line it arose on.
// Shells catch it at the command boundary and show it; nothing below them does.
class QsimError : public std::runtime_error {
 public:
  explicit QsimError(const std::string& message, int line = 0)
      : std::runtime_error(message), line_(line) {}

  std::string message() const { return what(); }
  int line() const { return line_; }

  // The same error tied to a line of the model text, unless it already is.
  QsimError AtLine(int line) const { return QsimError(what(), line_ != 0 ? line_ : line); }

 private:
  int line_;
};

}  // namespace qsim
