// A format a database keeps beside a column for showing its values (Access's Format
// property, which Visual Basic's Format$ reads too), and what kind of value it shows.
#pragma once

#include <string_view>

namespace tavik::text {

class DisplayFormat {
 public:
  // Whether the format shows a number: one of the named number formats ("Currency",
  // "Percent", "Yes/No", ...) or a pattern whose first section places digits with 0 or #
  // outside quotes. A date, time or text format does not.
  static bool ShowsNumber(std::string_view format);
};

}  // namespace tavik::text
