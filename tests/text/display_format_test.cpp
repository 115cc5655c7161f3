// Tests of telling a display format that shows numbers from one that shows dates or text.
#include "text/display_format.h"

#include <gtest/gtest.h>

namespace tavik::text {
namespace {

TEST(DisplayFormat, NumbersAreToldFromDatesAndText) {
  struct Case {
    const char* format;
    bool number;
  };
  const Case cases[] = {
      {"Currency", true},    {"percent", true},
      {"Yes/No", true},      {"$#,##0.00;($#,##0.00)", true},
      {"0.0%", true},        {"Medium Date", false},
      {"dd/mm/yyyy", false}, {">", false},
      {"@@@-@@", false},     {"\"No. \"@", false},
      {"\\#@", false},       {"@;\"0\"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(DisplayFormat::ShowsNumber(c.format), c.number) << c.format;
}

}  // namespace
}  // namespace tavik::text
