#include "foundation/number_format.h"

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

constexpr int kSignificantDigits = 15;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Decimal digits of |value| rounded to 15 significant digits, without trailing
// zeros, and the exponent e of the form 0.d1d2... x 10^e. Kept in place, since
// the protocol writes one of these per line.
struct Decimal {
  char digits[kSignificantDigits];
  std::size_t count;
  int exponent;
};

Decimal ToDecimal(double magnitude) {
  char buffer[64];
  // Scientific form d.dddddddddddddde[+-]xx: 1 + 14 digits, correctly rounded.
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e_pos = text.find('e');
  Decimal decimal{};
  for (char c : text.substr(0, e_pos)) {
    if (IsDigit(c))
      decimal.digits[decimal.count++] = c;
  }
  while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0')
    --decimal.count;
  std::string_view exponent = text.substr(e_pos + 1);
  const bool negative = exponent.front() == '-';
  exponent.remove_prefix(exponent.front() == '-' || exponent.front() == '+' ? 1 : 0);
  int magnitude_of_exponent = 0;
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), magnitude_of_exponent);
  decimal.exponent = (negative ? -magnitude_of_exponent : magnitude_of_exponent) + 1;
  return decimal;
}

[[noreturn]] void ThrowNotInteger(std::string_view text) {
  throw QsimError("'" + std::string(text) + "' is not a valid integer value");
}

[[noreturn]] void ThrowNotReal(std::string_view text) {
  throw QsimError("'" + std::string(text) + "' is not a valid floating point value");
}

// Length of the run of digits at the start of text.
std::size_t DigitRun(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsDigit(text[n]))
    ++n;
  return n;
}

std::size_t SignLength(std::string_view text) {
  return !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
}

// Checks the real grammar and returns the same number spelt with a '.' separator.
bool NormaliseReal(std::string_view text, char separator, std::string& out) {
  std::size_t pos = SignLength(text);
  out.assign(text.substr(0, pos));
  const std::size_t whole = DigitRun(text.substr(pos));
  out.append(text.substr(pos, whole));
  pos += whole;
  std::size_t fraction = 0;
  if (pos < text.size() && text[pos] == separator) {
    ++pos;
    fraction = DigitRun(text.substr(pos));
    out += '.';
    out.append(text.substr(pos, fraction));
    pos += fraction;
  }
  if (whole + fraction == 0)
    return false;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    ++pos;
    const std::size_t sign = SignLength(text.substr(pos));
    const std::size_t digits = DigitRun(text.substr(pos + sign));
    if (digits == 0)
      return false;
    out += 'e';
    out.append(text.substr(pos, sign + digits));
    pos += sign + digits;
  }
  return pos == text.size();
}

locale_t ClassicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}

}  // namespace

void AppendNumberText(std::string& text, double value, const NumberFormat& format) {
  if (std::isnan(value)) {
    text += "NAN";
    return;
  }
  if (std::isinf(value)) {
    text += value < 0 ? "-INF" : "INF";
    return;
  }
  if (value == 0) {
    text += '0';
    return;
  }
  const Decimal decimal = ToDecimal(std::fabs(value));
  const std::string_view digits(decimal.digits, decimal.count);
  const int e = decimal.exponent;
  if (value < 0)
    text += '-';
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      text += '0';
      text += format.decimal_separator;
      text.append(static_cast<std::size_t>(-e), '0');
      text += digits;
    } else if (digits.size() <= static_cast<std::size_t>(e)) {
      text += digits;
      text.append(static_cast<std::size_t>(e) - digits.size(), '0');
    } else {
      text += digits.substr(0, static_cast<std::size_t>(e));
      text += format.decimal_separator;
      text += digits.substr(static_cast<std::size_t>(e));
    }
  } else {
    text += digits[0];
    if (digits.size() > 1) {
      text += format.decimal_separator;
      text += digits.substr(1);
    }
    text += 'E';
    AppendInteger(text, e - 1);
  }
}

std::string NumberText(double value, const NumberFormat& format) {
  std::string text;
  AppendNumberText(text, value, format);
  return text;
}

void AppendInteger(std::string& text, std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  text.append(buffer, result.ptr);
}

std::string IntegerText(std::int64_t value) {
  return std::to_string(value);
}

std::int32_t ParseInteger(std::string_view text) {
  const std::size_t sign = SignLength(text);
  const std::size_t digits = DigitRun(text.substr(sign));
  if (digits == 0 || sign + digits != text.size())
    ThrowNotInteger(text);
  std::int64_t magnitude = 0;
  for (char c : text.substr(sign)) {
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > 2147483648LL)
      ThrowNotInteger(text);
  }
  const std::int64_t value = text[0] == '-' ? -magnitude : magnitude;
  if (value > INT32_MAX)
    ThrowNotInteger(text);
  return static_cast<std::int32_t>(value);
}

double ParseReal(std::string_view text, const NumberFormat& format) {
  std::string normalised;
  if (!NormaliseReal(text, format.decimal_separator, normalised))
    ThrowNotReal(text);
  // strtod_l in the "C" locale: correctly rounded and independent of the process
  // locale, which Qt sets from the environment.
  const double value = strtod_l(normalised.c_str(), nullptr, ClassicLocale());
  if (std::isinf(value))
    ThrowNotReal(text);
  return value;
}

std::optional<char> ModelFileSeparator(std::string_view utf8) {
  const std::string bytes = Utf8ToCp1251(utf8);
  // A character Windows-1251 lacks comes back as "?", which would then be taken for
  // the separator.
  if (bytes.size() != 1 || Cp1251ToUtf8(bytes) != utf8)
    return std::nullopt;
  const char c = bytes[0];
  const std::string_view taken = "0123456789+-Ee ;";
  if (static_cast<unsigned char>(c) <= ' ' || taken.find(c) != std::string_view::npos)
    return std::nullopt;
  return c;
}

}  // namespace qsim
