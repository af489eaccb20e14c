#include "foundation/code_page.h"

#include <gtest/gtest.h>

namespace qsim {
namespace {

TEST(CodePageTest, LiteralsAreConvertedAtCompileTime) {
  constexpr std::string_view text = "Ёж №1 яА"_cp;
  EXPECT_EQ(text,
            "\xA8\xE6 \xB9"
            "1 \xFF\xC0");
}

TEST(CodePageTest, ConsoleTextRoundTripsThroughTheCodePage) {
  const std::string utf8 = "Очередь №1 - вход заявки N2; ёЁ";
  const std::string cp1251 = Utf8ToCp1251(utf8);
  EXPECT_EQ(cp1251, "Очередь №1 - вход заявки N2; ёЁ"_cp);
  EXPECT_EQ(Cp1251ToUtf8(cp1251), utf8);
}

TEST(CodePageTest, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a\xE2\x82\xACz"), "a\x88z");  // the euro sign exists in 1251
  EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                         "b"),
            "a?b");  // a CJK character does not
  EXPECT_EQ(Utf8ToCp1251("a\xF0\x9F\x98\x80"
                         "b"),
            "a?b");  // nor an emoji
  EXPECT_EQ(Utf8ToCp1251("a\xFF"
                         "b"),
            "a?b");                              // invalid UTF-8
  EXPECT_EQ(Utf8ToCp1251("tail\xD0"), "tail?");  // truncated sequence
  EXPECT_EQ(Cp1251ToUtf8("a\x98"
                         "b"),
            "a?b");  // unassigned in 1251
}

TEST(CodePageTest, LongTextsConvertWhole) {
  std::string utf8;
  for (int i = 0; i < 1000; ++i)
    utf8 += "Устройство ";
  EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(utf8)), utf8);
}

}  // namespace
}  // namespace qsim
