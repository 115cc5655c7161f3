// The forms of a project made from a database: one per table, with the tables that
// reference it shown below it as grids (master and detail).
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tavik::project {

class DatabaseForms {
 public:
  // The model document of the whole database, as the schema import makes it.
  explicit DatabaseForms(nlohmann::ordered_json model);

  std::size_t Count() const { return children_.size(); }
  std::string TableName(std::size_t form) const;
  // The tables that reference the form's table.
  std::size_t ChildCount(std::size_t form) const { return children_[form].size(); }
  // The model text of one form: its table as fields, and the first `grids` tables that
  // reference it as grids, with the relationships between them.
  std::string ModelText(std::size_t form, std::size_t grids) const;

 private:
  nlohmann::ordered_json model_;
  // Per entity (in document order): the positions of the entities that reference it.
  std::vector<std::vector<std::size_t>> children_;
  // Per entity: the relationships in which it is the parent.
  std::vector<std::vector<std::size_t>> links_;
};

}  // namespace tavik::project
