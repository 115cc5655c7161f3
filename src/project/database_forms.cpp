// Splitting a database's model into one model per form.
#include "project/database_forms.h"

#include <algorithm>
#include <unordered_map>

namespace tavik::project {

using nlohmann::ordered_json;

namespace {

std::int64_t EntityId(const ordered_json& entity) {
  return entity["properties"]["ID"].get<std::int64_t>();
}

}  // namespace

DatabaseForms::DatabaseForms(ordered_json model) : model_(std::move(model)) {
  const ordered_json& entities = model_["entities"];
  std::unordered_map<std::int64_t, std::size_t> position;
  for (std::size_t i = 0; i < entities.size(); ++i) position[EntityId(entities[i])] = i;
  children_.resize(entities.size());
  links_.resize(entities.size());
  const ordered_json& links = model_["relationships"];
  for (std::size_t l = 0; l < links.size(); ++l) {
    const ordered_json& properties = links[l]["properties"];
    std::size_t parent = position.at(properties["PARENT_ENTITY"].get<std::int64_t>());
    std::size_t child = position.at(properties["CHILD_ENTITY"].get<std::int64_t>());
    links_[parent].push_back(l);
    std::vector<std::size_t>& children = children_[parent];
    // A table with two keys to the same parent is one grid.
    if (std::find(children.begin(), children.end(), child) == children.end()) {
      children.push_back(child);
    }
  }
}

std::string DatabaseForms::TableName(std::size_t form) const {
  return model_["entities"][form]["properties"]["PHYSICAL_NAME"].get<std::string>();
}

std::string DatabaseForms::ModelText(std::size_t form, std::size_t grids) const {
  const ordered_json& entities = model_["entities"];
  ordered_json model = ordered_json::object();
  model["tavik_model"] = 1;
  model["entities"] = ordered_json::array({entities[form]});
  std::vector<std::int64_t> child_ids;
  for (std::size_t i = 0; i < std::min(grids, children_[form].size()); ++i) {
    ordered_json child = entities[children_[form][i]];
    child["properties"]["DISPLAY_STYLE"] = "GRID";
    child_ids.push_back(EntityId(child));
    model["entities"].push_back(std::move(child));
  }
  model["relationships"] = ordered_json::array();
  for (std::size_t l : links_[form]) {
    const ordered_json& link = model_["relationships"][l];
    std::int64_t child_id = link["properties"]["CHILD_ENTITY"].get<std::int64_t>();
    if (std::find(child_ids.begin(), child_ids.end(), child_id) != child_ids.end()) {
      model["relationships"].push_back(link);
    }
  }
  return model.dump(2);
}

}  // namespace tavik::project
