#pragma once

#include <string>
#include <vector>

namespace qsim {

// Text files are Windows-1251 bytes. Reading splits lines at CR LF, CR or LF; a
// final line break does not start another line. Writing ends every line with
// CR LF. Failures throw QsimError "Cannot open file "<path>". <reason>" or
// "Cannot create file "<path>". <reason>".
std::vector<std::string> ReadTextLines(const std::string& path);
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// Splits a text held in memory by the same rule as ReadTextLines.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace qsim
