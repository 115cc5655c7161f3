// The names a grid shows beside the keys it holds: the looked-up tables its SELECT joins.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "controls/lookup_source.h"

namespace tavik {

class CEntity;

// A grid's row is one record of its table, and a grid column shows one field of it: a
// column cannot hold a key and show a name (the version-3 spreadsheet's combo cells store
// the text they show). So a key column with a lookup edit style gets a column of its own
// beside it, read from the looked-up table by a left join of the grid's SELECT. The name is
// an expression, which the engine never writes back, so the key stays the one column the
// user edits and a row without a key still shows.
class GridLookups {
 public:
  struct NameColumn {
    std::string key;      // the grid's column that holds the key
    std::string alias;    // its name in the SELECT and the recordset
    std::string heading;  // "Genre Name": the looked-up table and its display column
    LookupSource source;
  };

  explicit GridLookups(const CEntity& entity);

  bool Empty() const { return names_.empty(); }
  // The name column shown beside the key column, or null.
  const NameColumn* NameOf(std::string_view key) const;
  const std::vector<NameColumn>& NameColumns() const { return names_; }
  // The SELECT of the grid's table, its name columns after their keys, without a condition.
  std::string SelectText() const;
  // A column of the grid's table as a condition or order names it: with the table's name
  // once other tables are joined, so that a column of the same name there is not meant.
  std::string ColumnName(std::string_view column) const;

 private:
  std::string table_;
  std::vector<std::string> columns_;  // the table's, in the attributes' order
  std::vector<NameColumn> names_;
  std::unordered_map<std::string, std::size_t> by_key_;  // index in names_
  std::vector<std::string> table_aliases_;               // one per name column
};

}  // namespace tavik
