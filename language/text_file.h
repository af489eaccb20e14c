#pragma once

#include <string>
#include <vector>

namespace qsim {

// Text files are Windows-1251 bytes. Reading skips a UTF-8 byte-order mark at the
// start and splits lines at CR LF, CR or LF; a final line break does not start
// another line. Writing ends every line with CR LF and replaces the file whole or
// not at all (AtomicFile). Failures throw QsimError "Cannot open file "<path>".
// <reason>", "Cannot create file "<path>". <reason>" or the write error.
std::vector<std::string> ReadTextLines(const std::string& path);
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// Splits a text held in memory by the same rule as ReadTextLines.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace qsim
