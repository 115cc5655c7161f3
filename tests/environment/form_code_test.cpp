// A form's code joined with generated code: the form's lines stay in their places, a
// generated procedure takes the place of the form's of the same name.
#include "environment/form_code.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace tavik::environment {
namespace {

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text.append(line).append("\r\n");
  return text;
}

TEST(FormCode, GeneratedProceduresTakeTheirPlacesAndTheRestStays) {
  const std::string form =
      Lines({"Option Explicit", "Dim mCount As Integer", "", "' Counts the loads",
             "Private Sub Form_Load ()", "  mCount = 1", "End Sub", "", "Function Twice(x)",
             "  Twice = 2 * x", "End Function", "' the end"});
  struct Case {
    const char* what;
    std::string generated;
    std::string merged;
    std::vector<std::string> replaced;
  };
  const Case cases[] = {
      {"nothing generated", Lines({"", ""}), form, {}},
      {"a procedure of the same name, another spelling",
       Lines({"Sub form_load ()", "  datA.Refresh", "End Sub"}),
       Lines({"Option Explicit", "Dim mCount As Integer", "", "' Counts the loads",
              "Sub form_load ()", "  datA.Refresh", "End Sub", "", "Function Twice(x)",
              "  Twice = 2 * x", "End Function", "' the end"}),
       {"Private Sub Form_Load ()"}},
      {"a new procedure and a declaration",
       Lines({"Option Explicit", "Dim mBusy As Integer", "",
              "Sub datA_Validate (Action As Integer)", "End Sub"}),
       Lines({"Option Explicit", "Dim mCount As Integer", "", "Dim mBusy As Integer",
              "' Counts the loads", "Private Sub Form_Load ()", "  mCount = 1", "End Sub", "",
              "Function Twice(x)", "  Twice = 2 * x", "End Function", "' the end",
              "Sub datA_Validate (Action As Integer)", "End Sub"}),
       {}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    FormCode::Merged merged = FormCode::Merge(form, test.generated);
    EXPECT_EQ(merged.code, test.merged);
    EXPECT_EQ(merged.replaced, test.replaced);
  }
}

}  // namespace
}  // namespace tavik::environment
