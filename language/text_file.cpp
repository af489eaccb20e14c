#include "language/text_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include "foundation/atomic_file.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  // Editors of other systems start a UTF-8 file with a byte-order mark; it is
  // never part of a model text, and left in it would spoil the first keyword.
  const std::size_t start = text.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  for (std::size_t i = start; i < text.size(); ++i) {
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
  AtomicFile file(path);
  for (const std::string& line : lines)
    file.stream() << line << "\r\n";
  file.Commit();
}

}  // namespace qsim
