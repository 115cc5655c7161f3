// The column headings of a grid as the form's code names them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavik::preview {

class GridColumns {
 public:
  // The headings the code gives the grid, in order: a caption set through
  // "GRID.Columns.Item("FIELD").Caption = "Heading"", or the field of each column inserted
  // with "GRID.DataField = "FIELD"". Grids get their columns at run time; the code is the
  // only place a form file names them.
  static std::vector<std::string> Named(std::string_view code, std::string_view grid_name);
};

}  // namespace tavik::preview
