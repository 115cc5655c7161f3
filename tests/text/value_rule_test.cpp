// Tests of the rules a field's value keeps, made into the form's check.
#include "text/value_rule.h"

#include <gtest/gtest.h>

namespace tavik::text {
namespace {

TEST(ValueRule, TheRulesTheFormChecksBecomeTheConditionThatBreaksThem) {
  struct Case {
    const char* rule;
    const char* breaking;  // nullptr: not checked
  };
  const Case cases[] = {
      {">=0", "t <> \"\" And Not (Val(t) >= 0)"},
      {"<> 'x\"y'", "t <> \"\" And Not (t <> \"x\"\"y\")"},
      {"Between -1 And 1.5", "t <> \"\" And Not (Val(t) >= -1 And Val(t) <= 1.5)"},
      {"In (\"Mr.\", 'Ms.')", "t <> \"\" And Not (t = \"Mr.\" Or t = \"Ms.\")"},
      {"is not null", "t = \"\""},
      {"Not Like \"A*\"", "t <> \"\" And Not (Not (t Like \"A*\"))"},
      {"<Date()", nullptr},
      {">=0 And <=10", nullptr},
      {"Between 1 And \"z\"", nullptr},
      {"Like 5", nullptr},
      {"In (1, 2", nullptr},
  };
  for (const Case& c : cases) {
    const auto breaking = ValueRule::BreakingCondition(c.rule, "t");
    ASSERT_EQ(breaking.has_value(), c.breaking != nullptr) << c.rule;
    if (breaking) {
      EXPECT_EQ(*breaking, c.breaking) << c.rule;
    }
  }
}

}  // namespace
}  // namespace tavik::text
