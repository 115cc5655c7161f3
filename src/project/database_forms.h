// The forms of a project made from a database: one per table, with the tables that
// reference it shown below it as grids (master and detail).
#pragma once

#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "project/record_features.h"

namespace tavik::brenlo {
class ModelParser;
}

namespace tavik::project {

class DatabaseForms {
 public:
  // The model document of the whole database, as the schema import makes it; every form
  // gets the record features (a project's forms get them all unless told otherwise).
  explicit DatabaseForms(nlohmann::ordered_json model,
                         const RecordFeatures& features = RecordFeatures::All());

  std::size_t Count() const { return children_.size(); }
  std::string TableName(std::size_t form) const;
  // The tables that reference the form's table.
  std::size_t ChildCount(std::size_t form) const { return children_[form].size(); }
  // The model document of one form: its table as fields, each of its foreign keys of one
  // column a lookup of the referenced table's display column (or key), and the first `grids`
  // tables that reference it as grids, with the relationships between them.
  nlohmann::ordered_json Model(std::size_t form, std::size_t grids) const;
  // Hands that model document to the events as its walk would, without building it: the
  // database's entities are walked where they stand, each lookup and grid style given as it
  // passes. False when the events stop reading.
  bool Walk(std::size_t form, std::size_t grids, brenlo::ModelParser& events) const;

 private:
  nlohmann::ordered_json model_;
  // Per entity (in document order): the positions of the entities that reference it.
  std::vector<std::vector<std::size_t>> children_;
  // Per entity: the relationships in which it is the parent, and those in which it is the
  // child.
  std::vector<std::vector<std::size_t>> links_;
  std::vector<std::vector<std::size_t>> parent_links_;
  std::unordered_map<std::int64_t, std::size_t> position_;

  // No table is the master: the form's own table.
  static constexpr std::size_t kNoMaster = static_cast<std::size_t>(-1);
  // The edit style of each key of the table to another table than its master that shows
  // as a lookup, by the key's place among the table's attributes.
  std::vector<std::pair<std::size_t, nlohmann::ordered_json>> Lookups(std::size_t table,
                                                                      std::size_t master) const;
  // The table with those keys shown as lookups.
  nlohmann::ordered_json WithLookups(std::size_t table, std::size_t master) const;
  // The children that the form shows as its first `grids` grids.
  std::span<const std::size_t> Grids(std::size_t form, std::size_t grids) const;
  // Whether the relationship links the form's table to one of those grids.
  bool LinksGrid(std::size_t link, std::span<const std::size_t> shown) const;
  bool WalkEntity(std::size_t table, std::size_t master, bool grid,
                  brenlo::ModelParser& events) const;
};

}  // namespace tavik::project
