// One reading of a written form: its control blocks, their classes and the names it holds.
#include "formfile/form_limits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavik::formfile {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A control array's elements are blocks of their own; the form and property groups are not.
constexpr std::string_view kForm =
    "VERSION 4.00\r\n"
    "Begin VB.Form frmOrders\r\n"
    "   Caption         =   \"Orders\"\r\n"
    "   Begin VB.Frame fraState\r\n"
    "      BeginProperty Font\r\n"
    "         Name            =   \"MS Sans Serif\"\r\n"
    "      EndProperty\r\n"
    "      Begin VB.OptionButton optState\r\n"
    "         Index           =   0\r\n"
    "      End\r\n"
    "      Begin VB.OptionButton optState\r\n"
    "         Index           =   1\r\n"
    "      End\r\n"
    "   End\r\n"
    "   Begin VB.Data datOrders\r\n"
    "   End\r\n"
    "End\r\n"
    "Sub Form_Load ()\r\n"
    "Begin Orders\r\n"
    "End Sub\r\n";

TEST(FormLimits, CountsEveryControlBlockAndClassOnce) {
  const FormLimits::Reading reading = FormLimits::Measure(kForm, 4, FormLimits::kGenerateRemedy);
  EXPECT_EQ(reading.control_blocks, 4u);
  EXPECT_THAT(reading.classes, ElementsAre("VB.Data", "VB.Frame", "VB.OptionButton"));
  EXPECT_THAT(reading.warnings, IsEmpty());
}

TEST(FormLimits, WarnsOfNamesNotOfArrayElements) {
  std::string form = "VERSION 2.00\r\nBegin Form frmWide\r\n";
  for (std::size_t i = 0; i <= FormLimits::kMaxControlNames; ++i) {
    form += "\tBegin TextBox txt" + std::to_string(i / 2) + "\r\n\tEnd\r\n";
  }
  form += "End\r\n";
  const FormLimits::Reading half = FormLimits::Measure(form, 3, FormLimits::kGenerateRemedy);
  EXPECT_EQ(half.control_blocks, FormLimits::kMaxControlNames + 1);
  EXPECT_THAT(half.warnings, IsEmpty());
  for (std::size_t i = 0; i <= FormLimits::kMaxControlNames; ++i) {
    form.insert(form.size() - 5, "\tBegin Label lbl" + std::to_string(i) + "\r\n\tEnd\r\n");
  }
  EXPECT_THAT(FormLimits::Check(form, 3, FormLimits::kGenerateRemedy),
              ElementsAre(::testing::StartsWith("the form has 383 control names")));
}

}  // namespace
}  // namespace tavik::formfile
