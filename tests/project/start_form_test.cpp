// The start-up form's limits, counted as it is printed.
#include "project/start_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formfile/form_limits.h"
#include "formfile/form_tally.h"

namespace tavik::project {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The captions' and the forms' procedures hold a line per form: enough forms take it past what
// Visual Basic compiles, and the project is warned of it.
TEST(StartForm, ManyFormsTakeItsProceduresPastTheLimit) {
  for (const std::size_t forms : {StartForm::kPageSize + 1, std::size_t{3000}}) {
    std::vector<StartForm::Entry> entries(forms, {"frmCustomerOrders", "Customer Orders"});
    formfile::FormTally tally;
    (void)StartForm::Text(3, "frmMainMenu", "Shop", entries, {}, &tally);
    EXPECT_EQ(tally.control_blocks, StartForm::kPageSize + 2);
    const auto warnings =
        formfile::FormLimits::Judge(tally, 3, formfile::FormLimits::kProjectRemedy).warnings;
    if (forms < 1000) {
      EXPECT_THAT(warnings, ::testing::IsEmpty());
    } else {
      EXPECT_THAT(warnings, ElementsAre(HasSubstr("FormCaption"), HasSubstr("OpenForm")));
    }
  }
}

}  // namespace
}  // namespace tavik::project
