#include "foundation/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "foundation/qsim_error.h"

namespace qsim {
namespace {

const NumberFormat kComma{','};
const NumberFormat kPoint{'.'};

TEST(NumberTextTest, FixedNotation) {
  EXPECT_EQ(NumberText(0, kComma), "0");
  EXPECT_EQ(NumberText(-0.0, kComma), "0");
  EXPECT_EQ(NumberText(10, kComma), "10");
  EXPECT_EQ(NumberText(0.5, kComma), "0,5");
  EXPECT_EQ(NumberText(-2.25, kPoint), "-2.25");
  EXPECT_EQ(NumberText(0.0001, kPoint), "0.0001");
  EXPECT_EQ(NumberText(0.00012, kPoint), "0.00012");
  EXPECT_EQ(NumberText(1.0 / 3, kPoint), "0.333333333333333");
  EXPECT_EQ(NumberText(2.0 / 3, kPoint), "0.666666666666667");
  EXPECT_EQ(NumberText(1.50000000001, kPoint), "1.50000000001");
  EXPECT_EQ(NumberText(999999999999999.0, kPoint), "999999999999999");
  EXPECT_EQ(NumberText(100000000000.0, kPoint), "100000000000");
  EXPECT_EQ(NumberText(0.1 + 0.2, kPoint), "0.3");
}

TEST(NumberTextTest, ScientificNotation) {
  EXPECT_EQ(NumberText(0.00001, kPoint), "1E-5");
  EXPECT_EQ(NumberText(1e15, kPoint), "1E15");
  EXPECT_EQ(NumberText(-1.5e20, kComma), "-1,5E20");
  EXPECT_EQ(NumberText(2.3283064365386963e-10, kPoint), "2.3283064365387E-10");
  EXPECT_EQ(NumberText(1e-11, kPoint), "1E-11");
  EXPECT_EQ(NumberText(1.7976931348623157e308, kPoint), "1.79769313486232E308");
  // Rounding to 15 digits can carry into a new power of ten.
  EXPECT_EQ(NumberText(999999999999999.9, kPoint), "1E15");
  EXPECT_EQ(NumberText(0.000099999999999999999, kPoint), "0.0001");
}

TEST(ParseIntegerTest, AcceptsSignedDecimalsWithin32Bits) {
  EXPECT_EQ(ParseInteger("0"), 0);
  EXPECT_EQ(ParseInteger("+15"), 15);
  EXPECT_EQ(ParseInteger("-007"), -7);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseIntegerTest, RefusesEverythingElseWithTheExactMessage) {
  for (const char* text : {"", "-", "+", "1.0", "1,0", " 1", "1 ", "0x10", "$10", "1e3",
                           "2147483648", "-2147483649", "99999999999999999999", "1 000"}) {
    try {
      ParseInteger(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const QsimError& error) {
      EXPECT_EQ(error.message(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(ParseRealTest, AcceptsTheLocaleForms) {
  EXPECT_EQ(ParseReal("0,5", kComma), 0.5);
  EXPECT_EQ(ParseReal("-2,25", kComma), -2.25);
  EXPECT_EQ(ParseReal("+3", kComma), 3);
  EXPECT_EQ(ParseReal("1E-5", kComma), 1e-5);
  EXPECT_EQ(ParseReal("1,5e+20", kComma), 1.5e20);
  EXPECT_EQ(ParseReal("7,", kComma), 7);
  EXPECT_EQ(ParseReal(",25", kComma), 0.25);
  EXPECT_EQ(ParseReal("4.94065645841247E-324", kPoint), 4.94065645841247E-324);
}

TEST(ParseRealTest, RefusesOtherFormsWithTheExactMessage) {
  for (const char* text : {"", "0.5", ",", "E5", "1E", "1E+", "1,5,0", " 1", "1 ", "0x1p3", "inf",
                           "nan", "1 000,5", "1E400", "--1", "1,5E2,5"}) {
    try {
      ParseReal(text, kComma);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const QsimError& error) {
      EXPECT_EQ(error.message(), "'" + std::string(text) + "' is not a valid floating point value");
    }
  }
}

// Whatever NumberText writes reads back to a value that NumberText writes the same.
TEST(NumberTextTest, EveryWrittenFormReadsBack) {
  std::mt19937_64 random(12345);
  for (int i = 0; i < 100000; ++i) {
    double value;
    const std::uint64_t bits = random();
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value))
      continue;
    for (const NumberFormat& format : {kComma, kPoint}) {
      const std::string text = NumberText(value, format);
      ASSERT_EQ(NumberText(ParseReal(text, format), format), text) << text;
    }
  }
}

// Values with at most 15 significant digits come back exactly.
TEST(NumberTextTest, ShortDecimalsRoundTripExactly) {
  std::mt19937 random(7);
  std::uniform_int_distribution<long long> mantissa(-999999999999999LL, 999999999999999LL);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (int i = 0; i < 20000; ++i) {
    const double value =
        std::stod(std::to_string(mantissa(random)) + "e" + std::to_string(exponent(random)));
    EXPECT_EQ(ParseReal(NumberText(value, kComma), kComma), value);
  }
}

// Persian, Arabic and Pashto locales separate with characters Windows-1251 lacks.
TEST(ModelFileSeparatorTest, TakesOnlyCharactersModelFilesCanHold) {
  EXPECT_EQ(ModelFileSeparator("."), '.');
  EXPECT_EQ(ModelFileSeparator(","), ',');
  for (const char* unusable : {"\u066B", "\u060C", "", "..", "5", "-", " ", "E", ";"})
    EXPECT_EQ(ModelFileSeparator(unusable), std::nullopt) << unusable;
}

}  // namespace
}  // namespace qsim
