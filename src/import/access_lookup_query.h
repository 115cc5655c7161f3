// The table and columns of a lookup's row source when it is a plain query of one table.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::import {

class AccessLookupQuery {
 public:
  // "SELECT [DISTINCT|DISTINCTROW] a, b FROM t [ORDER BY ...]" with plain columns of t, or
  // the bare name of a table (no columns: the table's own, in order); nothing for a query
  // that computes, joins or filters.
  static std::optional<AccessLookupQuery> Parse(std::string_view row_source);

  const std::string& table() const { return table_; }
  const std::vector<std::string>& columns() const { return columns_; }

 private:
  std::string table_;
  std::vector<std::string> columns_;
};

}  // namespace tavik::import
