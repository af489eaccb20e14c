#include "foundation/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace qsim {
namespace {

// Converts with iconv; an input sequence that cannot be converted, or that is not
// valid in the source encoding, is replaced by one "?" and skipped.
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::size_t (*skip)(std::string_view)) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error("iconv_open failed");
  std::string output;
  char buffer[256];
  std::size_t pos = 0;
  while (pos < input.size()) {
    char* in = const_cast<char*>(input.data() + pos);
    std::size_t in_left = input.size() - pos;
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    pos = input.size() - in_left;
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      output += '?';
      pos += skip(input.substr(pos));
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return output;
}

// Length of the UTF-8 sequence at the start of text (at least 1).
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t n = 1;
  while (n < length && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
    ++n;
  }
  return n;
}

std::size_t OneByte(std::string_view) {
  return 1;
}

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
  return Convert("CP1251", "UTF-8", utf8, Utf8SequenceLength);
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
  return Convert("UTF-8", "CP1251", cp1251, OneByte);
}

}  // namespace qsim
