#include "foundation/display_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace qsim {
namespace {

constexpr int kShownDigits = 4;

// `digits` significant digits in scientific form, "d.dddE±x", and its exponent.
int DecimalExponent(double magnitude) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, kShownDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  int exponent = 0;
  const std::string_view tail = text.substr(text.find('e') + 1);
  const std::size_t sign = tail.front() == '+' || tail.front() == '-' ? 1 : 0;
  std::from_chars(tail.data() + sign, tail.data() + tail.size(), exponent);
  return tail.front() == '-' ? -exponent : exponent;
}

// `magnitude` with `decimals` places, trailing zeros (and a bare point) dropped.
std::string Fixed(double magnitude, int decimals) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
      text.pop_back();
  }
  return text;
}

// `magnitude` with 4 significant digits as "3.5E-7".
std::string Scientific(double magnitude, int exponent) {
  std::string text = Fixed(magnitude / std::pow(10.0, exponent), kShownDigits - 1);
  return text + 'E' + std::to_string(exponent);
}

}  // namespace

std::string GroupedInteger(std::int64_t value) {
  return GroupedNumber(std::to_string(value));
}

std::string GroupedNumber(const std::string& number) {
  if (number.find('E') != std::string::npos)
    return number;
  const std::size_t sign = number.starts_with('-') ? 1 : 0;
  const std::size_t end =
      std::find_if(number.begin() + sign, number.end(), [](char c) { return c < '0' || c > '9'; }) -
      number.begin();
  std::string grouped = number.substr(0, sign);
  for (std::size_t i = sign; i < end; ++i) {
    if (i > sign && (end - i) % 3 == 0)
      grouped += ' ';
    grouped += number[i];
  }
  return grouped + number.substr(end);
}

std::string ShortNumberText(double value, const NumberFormat& format) {
  if (!std::isfinite(value))
    return NumberText(value, format);
  const double magnitude = std::fabs(value);
  if (magnitude < kResidueMagnitude)
    return "0";
  const int exponent = DecimalExponent(magnitude);
  std::string text = exponent < -4 || exponent >= 15
                         ? Scientific(magnitude, exponent)
                         : Fixed(magnitude, std::max(0, kShownDigits - 1 - exponent));
  std::replace(text.begin(), text.end(), '.', format.decimal_separator);
  if (value < 0 && text != "0")
    text.insert(text.begin(), '-');
  return GroupedNumber(text);
}

}  // namespace qsim
