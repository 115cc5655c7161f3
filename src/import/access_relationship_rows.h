// The rows of an Access file's relationship catalog gathered into whole relationships.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "import/access_catalog.h"

namespace tavik::import {

class AccessRelationshipRows {
 public:
  // One row a column pair of a relationship.
  struct Row {
    std::string name;    // the relationship's, shared by the rows of its columns
    long position = 0;   // of the column pair in the relationship
    std::string detail;  // the table that refers, and its column
    std::string detail_column;
    std::string master;  // the table referred to, and its column
    std::string master_column;
  };

  // One relationship per name, its column pairs in their positions, in the order of the
  // names; those that touch a table not among user_tables are left out.
  static std::vector<AccessCatalog::Relationship> Gather(
      std::vector<Row> rows, const std::unordered_set<std::string>& user_tables);
};

}  // namespace tavik::import
