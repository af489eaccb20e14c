#include "results/html_text.h"

#include <gtest/gtest.h>

#include "foundation/code_page.h"

namespace qsim {
namespace {

TEST(HtmlTextTest, MarkupCharactersBecomeReferences) {
  EXPECT_EQ(HtmlText("<script>alert(\"x & y\")</script>"),
            "&lt;script&gt;alert(&quot;x &amp; y&quot;)&lt;/script&gt;");
}

TEST(HtmlTextTest, AReferenceInTheTextIsShownAsTyped) {
  EXPECT_EQ(HtmlText("&amp;"), "&amp;amp;");
}

TEST(HtmlTextTest, OtherTextIsKept) {
  EXPECT_EQ(HtmlText(""), "");
  EXPECT_EQ(HtmlText("Касса №2 'a'/b"_cp), "Касса №2 'a'/b"_cp);
}

}  // namespace
}  // namespace qsim
