// What the printer of a form file counted while it wrote the form: all the limit checks read.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/caseless_name_set.h"

namespace tavik::formfile {

struct FormTally {
  struct LongName {
    std::string_view what;  // "form", "control" or "procedure"
    std::string name;
  };
  std::string form_name;                       // as its Begin line gives it
  text::CaselessNameSet control_names;         // in capitals: an array's elements share one
  std::size_t control_blocks = 0;              // each element of a control array counts
  std::set<std::string, std::less<>> classes;  // as the file names them
  long panel_height = 0;                       // of the scrolled panel, when there is one
  long panel_width = 0;
  std::vector<LongName> long_names;  // beyond the 40 characters of a name, in the order met
  std::vector<std::pair<std::string, std::size_t>> long_procedures;  // and their bytes
};

}  // namespace tavik::formfile
