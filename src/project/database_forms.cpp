// Splitting a database's model into one model per form.
#include "project/database_forms.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "project/record_features.h"

namespace tavik::project {

using nlohmann::ordered_json;

namespace {

std::int64_t EntityId(const ordered_json& entity) {
  return entity["properties"]["ID"].get<std::int64_t>();
}

// The parent's column that a child's key comes from: the one whose display name is the
// key's base name.
std::optional<std::string> KeyColumn(const ordered_json& parent, const ordered_json& base_name) {
  for (const ordered_json& attribute : parent["attributes"]) {
    if (attribute["ATTRIB_INFO"]["DISPLAY_NAME"] == base_name) {
      return attribute["ATTRIB_INFO"]["PHYSICAL_NAME"].get<std::string>();
    }
  }
  return std::nullopt;
}

}  // namespace

DatabaseForms::DatabaseForms(ordered_json model, const RecordFeatures& features)
    : model_(std::move(model)) {
  (void)features.AddTo(model_);  // the features of a database name nothing it lacks
  const ordered_json& entities = model_["entities"];
  std::unordered_map<std::int64_t, std::size_t>& position = position_;
  for (std::size_t i = 0; i < entities.size(); ++i) position[EntityId(entities[i])] = i;
  children_.resize(entities.size());
  links_.resize(entities.size());
  parent_links_.resize(entities.size());
  const ordered_json& links = model_["relationships"];
  for (std::size_t l = 0; l < links.size(); ++l) {
    const ordered_json& properties = links[l]["properties"];
    std::size_t parent = position.at(properties["PARENT_ENTITY"].get<std::int64_t>());
    std::size_t child = position.at(properties["CHILD_ENTITY"].get<std::int64_t>());
    links_[parent].push_back(l);
    parent_links_[child].push_back(l);
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

ordered_json DatabaseForms::Model(std::size_t form, std::size_t grids) const {
  ordered_json model = ordered_json::object();
  model["tavik_model"] = 1;
  model["entities"] = ordered_json::array({WithLookups(form, kNoMaster)});
  std::vector<std::int64_t> child_ids;
  for (std::size_t i = 0; i < std::min(grids, children_[form].size()); ++i) {
    // A grid shows a name beside each key of a table other than the form's.
    ordered_json child = WithLookups(children_[form][i], form);
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
  return model;
}

ordered_json DatabaseForms::WithLookups(std::size_t table, std::size_t master) const {
  ordered_json entity = model_["entities"][table];
  for (std::size_t l : parent_links_[table]) {
    const ordered_json& link = model_["relationships"][l];
    if (link["attributes"].size() != 1) continue;  // a combo box shows one key column
    const std::size_t parent_at =
        position_.at(link["properties"]["PARENT_ENTITY"].get<std::int64_t>());
    if (parent_at == master) continue;
    const std::int64_t attribute_id = link["attributes"][0].get<std::int64_t>();
    const ordered_json& parent = model_["entities"][parent_at];
    for (ordered_json& attribute : entity["attributes"]) {
      if (attribute["ATTRIB_INFO"]["ID"].get<std::int64_t>() != attribute_id) continue;
      auto key = KeyColumn(parent, attribute["ATTRIB_INFO"]["BASE_NAME"]);
      if (!key) break;
      ordered_json style = ordered_json::object();
      style["ES_TYP"] = RecordFeatures::kLookupStyle;
      style["ESKTBL"] = parent["properties"]["PHYSICAL_NAME"];
      style["ESKKEY"] = *key;
      style["ESKDSP"] = RecordFeatures::DisplayColumn(parent).value_or(*key);
      attribute["CP_EST"] = std::move(style);
      break;
    }
  }
  return entity;
}

}  // namespace tavik::project
