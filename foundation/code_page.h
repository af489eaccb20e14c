#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qsim {

// The program keeps every text as Windows-1251 bytes. These convert text that
// enters from or leaves for the console or the desktop (UTF-8). Characters that
// Windows-1251 lacks, and bytes that are not UTF-8, become "?".
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

namespace detail {

// A string literal as a template argument.
template <std::size_t N>
struct Utf8Literal {
  constexpr Utf8Literal(const char (&text)[N]) {  // NOLINT: implicit by design
    for (std::size_t i = 0; i < N; ++i)
      bytes[i] = text[i];
  }
  char bytes[N];
};

// Windows-1251 byte of one code point of the program's own texts; fails to
// compile for anything else.
constexpr char Cp1251Byte(char32_t code) {
  if (code < 0x80)
    return static_cast<char>(code);
  if (code >= 0x410 && code <= 0x44F)
    return static_cast<char>(0xC0 + (code - 0x410));
  if (code == 0x401)
    return static_cast<char>(0xA8);  // Ё
  if (code == 0x451)
    return static_cast<char>(0xB8);  // ё
  if (code == 0x2116)
    return static_cast<char>(0xB9);  // №
  if (code == 0x2014)
    return static_cast<char>(0x97);  // em dash
  throw "character outside the program's Windows-1251 repertoire";
}

template <Utf8Literal S>
struct Cp1251Text {
  static constexpr auto Convert() {
    std::array<char, sizeof S.bytes> out{};
    std::size_t size = 0;
    for (std::size_t i = 0; i + 1 < sizeof S.bytes;) {
      const auto lead = static_cast<unsigned char>(S.bytes[i]);
      char32_t code = lead;
      std::size_t length = 1;
      if (lead >= 0xE0) {
        code = lead & 0x0F;
        length = 3;
      } else if (lead >= 0xC0) {
        code = lead & 0x1F;
        length = 2;
      }
      for (std::size_t k = 1; k < length; ++k) {
        code = (code << 6) | (static_cast<unsigned char>(S.bytes[i + k]) & 0x3F);
      }
      out[size++] = Cp1251Byte(code);
      i += length;
    }
    return std::pair{out, size};
  }
  static constexpr auto converted = Convert();
};

}  // namespace detail

// "Текст"_cp: a UTF-8 literal of the source code as Windows-1251 bytes, converted
// at compile time. Used for every Russian text the program writes.
template <detail::Utf8Literal S>
constexpr std::string_view operator""_cp() {
  return {detail::Cp1251Text<S>::converted.first.data(), detail::Cp1251Text<S>::converted.second};
}

}  // namespace qsim
