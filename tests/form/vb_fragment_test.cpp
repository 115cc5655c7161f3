// Tests of Visual Basic fragments: margin and tabs, placeholders, and the faults that stop.
#include <gtest/gtest.h>

#include <string>

#include "form/vb_fragment.h"

namespace tavik {
namespace {

TEST(VbFragment, IndentationBeyondTheMarginBecomesTabsAndLinesEndInCrLf) {
  EXPECT_EQ(VbFragment(R"(
        If $flag$ Then
            x = "$$"

             y = $flag$
        End If
    )",
                       {{"flag", "bReady"}}),
            "\tIf bReady Then\r\n\t\tx = \"$\"\r\n\r\n\t\t y = bReady\r\n\tEnd If\r\n");
  EXPECT_EQ(VbFragment(R"(
    Label:
    )"),
            "Label:\r\n");
}

// A line of one placeholder takes a fragment's lines as they are, and none for an empty value.
TEST(VbFragment, ALineOfOnePlaceholderTakesAFragmentOrNothing) {
  const std::string inner = VbFragment(R"(
            Beep
    )");
  const char* outer = R"(
        If x Then
            $inner$
        End If
    )";
  EXPECT_EQ(VbFragment(outer, {{"inner", inner}}), "\tIf x Then\r\n\t\tBeep\r\n\tEnd If\r\n");
  EXPECT_EQ(VbFragment(outer, {{"inner", ""}}), "\tIf x Then\r\n\tEnd If\r\n");
}

// A text made at run time may be made again in the same place with other lines.
TEST(VbFragment, ATextRewrittenInPlaceIsReadAgain) {
  std::string text = "\n    A = $v$\n    ";
  EXPECT_EQ(VbFragment(text, {{"v", "1"}}), "A = 1\r\n");
  text[5] = 'B';
  EXPECT_EQ(VbFragment(text, {{"v", "1"}}), "B = 1\r\n");
}

TEST(VbFragmentDeathTest, AFaultyFragmentStopsTheProgramAndSaysWhy) {
  EXPECT_DEATH((void)VbFragment(R"(
        x = $missing$
    )"),
               "a placeholder without a variable: \"x = \\$missing\\$\"");
  EXPECT_DEATH((void)VbFragment(R"(
        x = 1
    )",
                                {{"unused", "1"}}),
               "a variable the fragment does not use: \"unused\"");
  EXPECT_DEATH((void)VbFragment(R"(
        x = 1
  y = 2
    )"),
               "a line inside the margin");
}

}  // namespace
}  // namespace tavik
