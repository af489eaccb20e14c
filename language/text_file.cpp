#include "language/text_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/qsim_error.h"

namespace qsim {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty())
    lines.push_back(std::move(line));
  return lines;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    throw QsimError("Cannot open file \"" + path + "\". " + std::strerror(EISDIR));
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw QsimError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return SplitLines(bytes.str());
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    throw QsimError("Cannot create file \"" + path + "\". " + std::strerror(errno));
  }
  for (const std::string& line : lines)
    out << line << "\r\n";
  out.flush();
  if (!out)
    throw QsimError("Cannot create file \"" + path + "\". " + std::strerror(errno));
}

}  // namespace qsim
