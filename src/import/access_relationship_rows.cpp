// The rows of an Access file's relationship catalog gathered into whole relationships.
#include "import/access_relationship_rows.h"

#include <algorithm>
#include <map>

namespace tavik::import {

std::vector<AccessCatalog::Relationship> AccessRelationshipRows::Gather(
    std::vector<Row> rows, const std::unordered_set<std::string>& user_tables) {
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Row& a, const Row& b) { return a.position < b.position; });
  std::map<std::string, std::size_t> by_name;
  std::vector<AccessCatalog::Relationship> found;
  for (Row& row : rows) {
    if (!user_tables.contains(row.detail) || !user_tables.contains(row.master)) continue;
    auto [place, added] = by_name.emplace(row.name, found.size());
    if (added) found.push_back({row.detail, row.master, {}});
    found[place->second].columns.emplace_back(std::move(row.detail_column),
                                              std::move(row.master_column));
  }
  // In the order the relationships are named, as the catalog keeps them.
  std::vector<AccessCatalog::Relationship> gathered;
  gathered.reserve(found.size());
  for (const auto& [name, position] : by_name) gathered.push_back(std::move(found[position]));
  return gathered;
}

}  // namespace tavik::import
