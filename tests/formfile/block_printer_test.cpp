// The form-file printer: its two layouts, and what it counts for Visual Basic's limits.
#include "formfile/block_printer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "formfile/form_limits.h"
#include "model/nx_property.h"

namespace tavik::formfile {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// Deep blocks and long names take another way to the same line; quotes in a text double.
TEST(BlockPrinter, PropertyLinesOfAnyDepthAndNameLength) {
  std::string text;
  BlockPrinter printer(text);
  printer.Property(CNxProperty(3, Value::Boolean(true), "TwentyCharactersLong"));
  printer.Begin("Form", "frmDeep");
  printer.Property(CNxProperty(3, Value::String("say \"hi\""), std::string(33, 'N')));
  for (int level = 1; level < 17; ++level) printer.Begin("Frame", "fra");
  text.clear();
  printer.Property(CNxProperty(3, Value::Short(-5), "A"));
  EXPECT_EQ(text, std::string(17, '\t') + "A" + std::string(19, ' ') + "=    -5\r\n");
  text.clear();
  printer.End();
  EXPECT_EQ(text, std::string(16, '\t') + "End\r\n");
}

// Visual Basic's layout: three blanks a level, groups and what followed a name kept. The
// elements of a control array are blocks of their own but share one name; the form and
// the property groups are not controls.
TEST(BlockPrinter, VisualBasicLayoutAndWhatItCounts) {
  std::string text;
  BlockPrinter printer(text, kVisualBasicLayout);
  printer.Begin("VB.Form", "frmOrders");
  printer.Property("Caption", "Orders", true, " ' shown");
  printer.Begin("VB.Frame", "fraState");
  printer.BeginGroup("Font", " {0BE35203}");
  printer.Property("Name", "MS Sans Serif", true);
  printer.EndGroup();
  for (const char* index : {"0", "1"}) {
    printer.Begin("VB.OptionButton", "optState");
    printer.Property("Index", index, false);
    printer.End();
  }
  printer.End();
  printer.Begin("VB.Data", "datOrders");
  printer.End();
  printer.End();
  EXPECT_THAT(text, StartsWith("Begin VB.Form frmOrders\r\n"
                               "   Caption         =   \"Orders\" ' shown\r\n"
                               "   Begin VB.Frame fraState\r\n"
                               "      BeginProperty Font {0BE35203}\r\n"
                               "         Name            =   \"MS Sans Serif\"\r\n"
                               "      EndProperty\r\n"
                               "      Begin VB.OptionButton optState\r\n"
                               "         Index           =   0\r\n"));
  EXPECT_EQ(printer.tally().control_blocks, 4u);
  EXPECT_EQ(printer.tally().control_names.size(), 3u);
  EXPECT_THAT(printer.tally().classes, ElementsAre("VB.Data", "VB.Frame", "VB.OptionButton"));
  EXPECT_THAT(FormLimits::Judge(printer.tally(), 4, FormLimits::kGenerateRemedy).warnings,
              IsEmpty());
}

// Visual Basic counts control names: a form of more blocks than that loads while its names
// are few enough, and names are compared without case.
TEST(FormLimits, CountsNamesNotArrayElements) {
  std::string text;
  BlockPrinter printer(text);
  printer.Begin("Form", "frmWide");
  for (std::size_t i = 0; i <= FormLimits::kMaxControlNames; ++i) {
    printer.Begin("TextBox", (i % 2 ? "txt" : "TXT") + std::to_string(i / 2));
    printer.End();
  }
  const FormLimits::Reading half = FormLimits::Judge(printer.tally(), 3, "fewer");
  EXPECT_TRUE(half.loads);
  EXPECT_THAT(half.warnings, IsEmpty());
  // 128 names so far: as many more as the limit still loads, then one beyond it.
  for (std::size_t i = 0; i <= FormLimits::kMaxControlNames - 128; ++i) {
    EXPECT_TRUE(FormLimits::Judge(printer.tally(), 3, "fewer").loads);
    printer.Begin("Label", "lbl" + std::to_string(i));
    printer.End();
  }
  const FormLimits::Reading full = FormLimits::Judge(printer.tally(), 3, "fewer");
  EXPECT_FALSE(full.loads);
  EXPECT_THAT(full.warnings,
              ElementsAre("the form has 255 control names, more than the 254 Visual Basic loads; "
                          "fewer"));
}

// The scrolled panel's own size, long names (of procedures only for Visual Basic 3) and
// long procedures, whether printed here or found in code given whole.
TEST(FormLimits, PanelNamesAndProcedures) {
  const std::string long_name(41, 'x');
  const std::string body(FormLimits::kMaxProcedureBytes, '\'');
  std::string text;
  BlockPrinter printer(text);
  printer.Begin("Form", "frmTall");
  printer.Begin("SSPanel", "tvkSSPanel");
  printer.Property(CNxProperty(3, Value::Single(40000.0f), "Height"));
  printer.Property("Width", "900", false);
  printer.Begin("TextBox", long_name);
  printer.Property(CNxProperty(3, Value::Single(50000.0f), "Height"));
  printer.End();
  printer.End();
  printer.End();
  printer.OpenProcedure({long_name, "_Click"});
  text += "()\r\n" + body + "\r\n";
  printer.CloseProcedure();
  printer.Code("Sub Short ()\r\nEnd Sub\r\nPrivate Function Big (x)\r\n" + body +
               "\r\nEnd Function\r\n");
  EXPECT_EQ(printer.tally().panel_height, 40000);
  EXPECT_EQ(printer.tally().panel_width, 900);
  const auto warnings = FormLimits::Judge(printer.tally(), 3, "fewer").warnings;
  ASSERT_EQ(warnings.size(), 5u);
  EXPECT_EQ(warnings[0], "the control name " + long_name +
                             " is 41 characters long, more than the 40 Visual Basic 3 takes");
  EXPECT_THAT(warnings[1], StartsWith("the procedure name " + long_name + "_Click is 47"));
  EXPECT_THAT(warnings[2], StartsWith("the scrolled panel is 40000 twips tall, more than the "
                                      "32767 a scroll bar reaches; fewer"));
  EXPECT_EQ(warnings[3], "the procedure " + long_name + "_Click is " +
                             std::to_string(body.size() + 66) +
                             " bytes long, more than the 65536 Visual Basic compiles; fewer");
  EXPECT_THAT(warnings[4], StartsWith("the procedure Big is 65578 bytes long"));
  EXPECT_EQ(FormLimits::Judge(printer.tally(), 4, "fewer").warnings.size(), 4u);
}

}  // namespace
}  // namespace tavik::formfile
