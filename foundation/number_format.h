#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qsim {

// How reals are written and read: the decimal separator of the user's locale as
// set at program start. There are no thousands separators.
struct NumberFormat {
  char decimal_separator = '.';
};

// The decimal separator `utf8` (a locale's, or one the user names) as model files
// can hold it: one Windows-1251 character that no number or token of the model
// text uses. None otherwise (an Arabic or Persian separator, a digit, a blank).
std::optional<char> ModelFileSeparator(std::string_view utf8);

// The one text form of a real: rounded to 15 significant digits, trailing zeros
// dropped, fixed notation for magnitudes from 0.0001 up to (not including) 10^15,
// scientific notation ("1E-5", "1,5E20") otherwise. Zero is "0".
std::string NumberText(double value, const NumberFormat& format);
// The same text appended to `text`, without allocating once `text` has room.
void AppendNumberText(std::string& text, double value, const NumberFormat& format);

// IntegerText appended to `text`.
void AppendInteger(std::string& text, std::int64_t value);

// Plain decimal with a minus sign when negative.
std::string IntegerText(std::int64_t value);

// Strict conversions. An integer is an optional sign and decimal digits within 32
// bits; a real is an optional sign, digits with an optional fractional part after
// the separator, and an optional exponent. Anything else, the empty text included,
// throws QsimError "'%s' is not a valid integer value" or
// "'%s' is not a valid floating point value".
std::int32_t ParseInteger(std::string_view text);
double ParseReal(std::string_view text, const NumberFormat& format);

}  // namespace qsim
