// Splitting a database's model into one model per form.
#include "project/database_forms.h"

#include <fmt/format.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <unordered_map>

#include "brenlo/model_parser.h"
#include "brenlo/tree_walker.h"
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

// The reference reader tells containers' sizes only when it knows them, which is never.
constexpr std::size_t kUnknownSize = static_cast<std::size_t>(-1);

constexpr const char* kGridStyle = "GRID";

using MemberWalk = std::function<bool(const std::string& name, const ordered_json& value)>;

// Hands an object's members to the events as its walk would, each member's value by
// walk_member; with a value, the member `name` is given it instead, where it stands, or
// after the others when the object lacks it, as assigning that member would.
bool WalkObject(const ordered_json& object, brenlo::ModelParser& events,
                const MemberWalk& walk_member, std::string_view name = {},
                const ordered_json* value = nullptr) {
  if (!events.start_object(kUnknownSize)) return false;
  std::string text;
  bool given = value == nullptr;
  for (const auto& [member, member_value] : object.get_ref<const ordered_json::object_t&>()) {
    text.assign(member);
    if (!events.key(text)) return false;
    const bool replaced = value != nullptr && member == name;
    given = given || replaced;
    if (!(replaced ? brenlo::TreeWalker::Walk(*value, events)
                   : walk_member(member, member_value))) {
      return false;
    }
  }
  if (!given) {
    text.assign(name);
    if (!events.key(text) || !brenlo::TreeWalker::Walk(*value, events)) return false;
  }
  return events.end_object();
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

std::span<const std::size_t> DatabaseForms::Grids(std::size_t form, std::size_t grids) const {
  return std::span(children_[form]).first(std::min(grids, children_[form].size()));
}

bool DatabaseForms::LinksGrid(std::size_t link, std::span<const std::size_t> shown) const {
  const std::int64_t child_id =
      model_["relationships"][link]["properties"]["CHILD_ENTITY"].get<std::int64_t>();
  return std::any_of(shown.begin(), shown.end(), [&](std::size_t child) {
    return EntityId(model_["entities"][child]) == child_id;
  });
}

ordered_json DatabaseForms::Model(std::size_t form, std::size_t grids) const {
  ordered_json model = ordered_json::object();
  model["tavik_model"] = 1;
  model["entities"] = ordered_json::array({WithLookups(form, kNoMaster)});
  const std::span<const std::size_t> shown = Grids(form, grids);
  for (std::size_t child_at : shown) {
    // A grid shows a name beside each key of a table other than the form's.
    ordered_json child = WithLookups(child_at, form);
    child["properties"]["DISPLAY_STYLE"] = kGridStyle;
    model["entities"].push_back(std::move(child));
  }
  model["relationships"] = ordered_json::array();
  for (std::size_t l : links_[form]) {
    if (LinksGrid(l, shown)) model["relationships"].push_back(model_["relationships"][l]);
  }
  return model;
}

std::vector<std::pair<std::size_t, ordered_json>> DatabaseForms::Lookups(std::size_t table,
                                                                         std::size_t master) const {
  std::vector<std::pair<std::size_t, ordered_json>> styles;
  const ordered_json& attributes = model_["entities"][table]["attributes"];
  for (std::size_t l : parent_links_[table]) {
    const ordered_json& link = model_["relationships"][l];
    if (link["attributes"].size() != 1) continue;  // a combo box shows one key column
    const std::size_t parent_at =
        position_.at(link["properties"]["PARENT_ENTITY"].get<std::int64_t>());
    if (parent_at == master) continue;
    const std::int64_t attribute_id = link["attributes"][0].get<std::int64_t>();
    const ordered_json& parent = model_["entities"][parent_at];
    for (std::size_t a = 0; a < attributes.size(); ++a) {
      const ordered_json& info = attributes[a]["ATTRIB_INFO"];
      if (info["ID"].get<std::int64_t>() != attribute_id) continue;
      auto key = KeyColumn(parent, info["BASE_NAME"]);
      if (!key) break;
      ordered_json style = ordered_json::object();
      style["ES_TYP"] = RecordFeatures::kLookupStyle;
      style["ESKTBL"] = parent["properties"]["PHYSICAL_NAME"];
      style["ESKKEY"] = *key;
      style["ESKDSP"] = RecordFeatures::DisplayColumn(parent).value_or(*key);
      styles.emplace_back(a, std::move(style));
      break;
    }
  }
  return styles;
}

ordered_json DatabaseForms::WithLookups(std::size_t table, std::size_t master) const {
  ordered_json entity = model_["entities"][table];
  for (auto& [attribute, style] : Lookups(table, master)) {
    entity["attributes"][attribute]["CP_EST"] = std::move(style);
  }
  return entity;
}

bool DatabaseForms::Walk(std::size_t form, std::size_t grids, brenlo::ModelParser& events) const {
  std::string text;
  const auto key = [&](std::string_view name) {
    text.assign(name);
    return events.key(text);
  };
  if (!events.start_object(kUnknownSize) || !key("tavik_model") || !events.number_integer(1) ||
      !key("entities") || !events.start_array(kUnknownSize) ||
      !WalkEntity(form, kNoMaster, false, events)) {
    return false;
  }
  const std::span<const std::size_t> shown = Grids(form, grids);
  for (std::size_t child_at : shown) {
    if (!WalkEntity(child_at, form, true, events)) return false;
  }
  if (!events.end_array() || !key("relationships") || !events.start_array(kUnknownSize)) {
    return false;
  }
  for (std::size_t l : links_[form]) {
    if (LinksGrid(l, shown) && !brenlo::TreeWalker::Walk(model_["relationships"][l], events)) {
      return false;
    }
  }
  return events.end_array() && events.end_object();
}

bool DatabaseForms::WalkEntity(std::size_t table, std::size_t master, bool grid,
                               brenlo::ModelParser& events) const {
  const std::vector<std::pair<std::size_t, ordered_json>> lookups = Lookups(table, master);
  // The lookups' styles by attribute: a key given two lookups shows the last.
  std::unordered_map<std::size_t, const ordered_json*> styles;
  for (const auto& [attribute, style] : lookups) styles[attribute] = &style;
  const ordered_json grid_style = kGridStyle;
  const MemberWalk as_it_stands = [&events](const std::string&, const ordered_json& value) {
    return brenlo::TreeWalker::Walk(value, events);
  };
  const auto walk_attributes = [&](const ordered_json& attributes) {
    if (!events.start_array(kUnknownSize)) return false;
    for (std::size_t a = 0; a < attributes.size(); ++a) {
      const auto style = styles.find(a);
      if (!(style == styles.end()
                ? brenlo::TreeWalker::Walk(attributes[a], events)
                : WalkObject(attributes[a], events, as_it_stands, "CP_EST", style->second))) {
        return false;
      }
    }
    return events.end_array();
  };
  return WalkObject(
      model_["entities"][table], events, [&](const std::string& name, const ordered_json& value) {
        if (grid && name == "properties") {
          return WalkObject(value, events, as_it_stands, "DISPLAY_STYLE", &grid_style);
        }
        if (!styles.empty() && name == "attributes") return walk_attributes(value);
        return brenlo::TreeWalker::Walk(value, events);
      });
}

}  // namespace tavik::project
