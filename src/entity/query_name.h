// The name by which queries refer to a table or column.
#pragma once

#include <string>
#include <string_view>

namespace tavik {

class QueryName {
 public:
  // The physical name in brackets when it holds a character a plain name may not.
  static std::string For(std::string_view physical_name);
};

}  // namespace tavik
