#include "foundation/display_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace qsim {
namespace {

struct ShownNumber {
  double value;
  const char* comma;  // under a decimal comma
};

// The figures the analysis window and the command line's analyze showed in full.
const ShownNumber kShown[] = {
    {0, "0"},
    {2.22044604925031e-16, "0"},
    {0.499999999999989, "0,5"},
    {2336.8999999999, "2 337"},
    {17854464, "17 854 464"},
    {14022, "14 022"},
    {-1234567.5, "-1 234 568"},
    {1.23456, "1,235"},
    {0.0001, "0,0001"},
    {0.000099996, "0,0001"},
    {3.5e-7, "3,5E-7"},
    {999.96, "1 000"},
    {std::numeric_limits<double>::infinity(), "INF"},
};

TEST(ShortNumberTextTest, FourSignificantDigitsGroupedResiduesAsZero) {
  for (const ShownNumber& shown : kShown) {
    EXPECT_EQ(ShortNumberText(shown.value, NumberFormat{','}), shown.comma) << shown.value;
  }
  EXPECT_EQ(ShortNumberText(0.125, NumberFormat{'.'}), "0.125");
}

TEST(GroupedIntegerTest, ThreesSetApart) {
  EXPECT_EQ(GroupedInteger(999), "999");
  EXPECT_EQ(GroupedInteger(-1234567), "-1 234 567");
}

}  // namespace
}  // namespace qsim
