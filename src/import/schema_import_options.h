// What an import of a database schema is asked for: which tables, and which show as grids.
#pragma once

#include <string>
#include <vector>

namespace tavik::import {

struct SchemaImportOptions {
  // The tables to import, by name (letter case does not matter); empty for every table.
  std::vector<std::string> tables;
  // Tables shown as a grid rather than as a column of fields.
  std::vector<std::string> grid_tables;
};

}  // namespace tavik::import
