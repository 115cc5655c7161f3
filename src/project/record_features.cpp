// Adding the record features a form is asked for to the entities of a model document.
#include "project/record_features.h"
#include "text/ascii_case.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace tavik::project {

using nlohmann::ordered_json;

namespace {

std::string Lower(const std::string& text) {
  return text::AsciiLowered(text);
}

bool SameName(const std::string& a, const std::string& b) {
  return text::SameAsciiName(a, b);
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// What users call a row by: "name", "title", "description" and their kin.
bool NamedLikeAName(const std::string& column) {
  static constexpr std::array<std::string_view, 5> kNames = {"name", "title", "description",
                                                             "label", "caption"};
  const std::string lower = Lower(column);
  if (std::find(kNames.begin(), kNames.end(), lower) != kNames.end()) return true;
  return EndsWith(lower, "name") || EndsWith(lower, "_title") || EndsWith(lower, "_description");
}

// A text property of a group of the object, or empty; missing groups and keys are no fault.
std::string TextAt(const ordered_json& object, const char* group, const char* key) {
  if (!object.is_object()) return {};
  const auto members = object.find(group);
  if (members == object.end() || !members->is_object()) return {};
  const auto value = members->find(key);
  return value != members->end() && value->is_string() ? value->get<std::string>() : std::string();
}

// Text by the declared type, as the database reads it: no integer, a character or text type.
bool HoldsText(const std::string& declared_type) {
  const std::string type = Lower(declared_type);
  return type.find("int") == std::string::npos &&
         (type.find("char") != std::string::npos || type.find("text") != std::string::npos ||
          type.find("clob") != std::string::npos || type.find("string") != std::string::npos);
}

bool Unique(const ordered_json& attribute) {
  return TextAt(attribute, "COL_PROP", "CD_UNQ") == "Y";
}

std::string ColumnOf(const ordered_json& attribute) {
  return TextAt(attribute, "ATTRIB_INFO", "PHYSICAL_NAME");
}

std::string TableOf(const ordered_json& entity) {
  return TextAt(entity, "properties", "PHYSICAL_NAME");
}

ordered_json* FindEntity(ordered_json& model, const std::string& table) {
  for (ordered_json& entity : model["entities"]) {
    if (SameName(TableOf(entity), table)) return &entity;
  }
  return nullptr;
}

// The column as the entity spells it, or nothing.
std::optional<std::string> FindColumn(ordered_json& entity, const std::string& column) {
  if (!entity.contains("attributes")) return std::nullopt;
  for (const ordered_json& attribute : entity["attributes"]) {
    if (SameName(ColumnOf(attribute), column)) return ColumnOf(attribute);
  }
  return std::nullopt;
}

// Points the named entity's property at one of its columns; the refusal, or empty.
std::string SetColumnProperty(ordered_json& model, const std::pair<std::string, std::string>& pair,
                              const char* property, std::string_view option) {
  ordered_json* entity = FindEntity(model, pair.first);
  if (!entity)
    return fmt::format("{} {}={}: there is no table {}", option, pair.first, pair.second,
                       pair.first);
  auto column = FindColumn(*entity, pair.second);
  if (!column) {
    return fmt::format("{} {}={}: table {} has no column {}", option, pair.first, pair.second,
                       TableOf(*entity), pair.second);
  }
  (*entity)["properties"][property] = *column;
  return {};
}

}  // namespace

std::optional<std::pair<std::string, std::string>> RecordFeatures::TableColumn(
    const std::string& text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) return std::nullopt;
  return std::pair(text.substr(0, equals), text.substr(equals + 1));
}

std::string RecordFeatures::TakeTableColumns(const std::vector<std::string>& lookup_texts,
                                             const std::vector<std::string>& order_texts) {
  for (const auto& [texts, pairs, option] : {std::tuple(&lookup_texts, &lookups, "--lookup"),
                                             std::tuple(&order_texts, &orders, "--order")}) {
    for (const std::string& text : *texts) {
      auto pair = TableColumn(text);
      if (!pair) return fmt::format("{} {}: give TABLE=COLUMN", option, text);
      pairs->push_back(*pair);
    }
  }
  return {};
}

std::optional<std::string> RecordFeatures::DisplayColumn(const ordered_json& entity) {
  if (std::string chosen = TextAt(entity, "properties", "DISPLAY_COLUMN"); !chosen.empty()) {
    return chosen;
  }
  const auto attributes = entity.find("attributes");
  if (attributes == entity.end() || !attributes->is_array()) return std::nullopt;
  for (const ordered_json& attribute : *attributes) {
    if (NamesRows(TextAt(attribute, "COL_PROP", "CD_TYP"), Unique(attribute),
                  ColumnOf(attribute))) {
      return ColumnOf(attribute);
    }
  }
  return std::nullopt;
}

bool RecordFeatures::NamesRows(const std::string& type, bool unique, const std::string& column) {
  return HoldsText(type) && (unique || NamedLikeAName(column));
}

void RecordFeatures::NameLookups(ordered_json& model) {
  // The display column of every table, by table in lower case; looked for only when a
  // lookup needs one, which most models have none of.
  std::optional<std::unordered_map<std::string, std::string>> shown;
  const auto display_columns = [&model] {
    std::unordered_map<std::string, std::string> columns;
    for (const ordered_json& entity : model["entities"]) {
      if (auto column = DisplayColumn(entity)) columns.emplace(Lower(TableOf(entity)), *column);
    }
    return columns;
  };
  for (ordered_json& entity : model["entities"]) {
    if (!entity.contains("attributes")) continue;
    for (ordered_json& attribute : entity["attributes"]) {
      const auto found_style = attribute.find("CP_EST");
      if (found_style == attribute.end()) continue;
      ordered_json& style = *found_style;
      if (!style.is_object() || style.value("ES_TYP", 0) != kLookupStyle ||
          style.contains("ESKDSP") || !style["ESKTBL"].is_string()) {
        continue;
      }
      if (!shown) shown = display_columns();
      const auto found = shown->find(Lower(style["ESKTBL"].get<std::string>()));
      if (found != shown->end()) style["ESKDSP"] = found->second;
    }
  }
}

std::string RecordFeatures::AddTo(ordered_json& model) const {
  for (const auto& lookup : lookups) {
    if (auto fault = SetColumnProperty(model, lookup, "DISPLAY_COLUMN", "--lookup");
        !fault.empty()) {
      return fault;
    }
  }
  NameLookups(model);
  // Each entity's display column is looked for only when a property names it.
  const bool per_entity = position || find || cancel || order;
  for (ordered_json& entity : model["entities"]) {
    ordered_json& properties = entity["properties"];
    if (!per_entity) continue;
    const std::optional<std::string> display = DisplayColumn(entity);
    const bool has_columns = entity.contains("attributes") && !entity["attributes"].empty();
    const std::string first = has_columns ? ColumnOf(entity["attributes"][0]) : std::string();
    const std::string shown = display.value_or(first);
    if (position) properties["SHOW_POSITION"] = 1;
    if (find && !shown.empty()) properties["FIND_COLUMN"] = shown;
    if (cancel) properties["CANCEL_BUTTON"] = 1;
    if (order && !shown.empty()) properties["ORDER_BY"] = shown;
  }
  for (const auto& wanted : orders) {
    if (auto fault = SetColumnProperty(model, wanted, "ORDER_BY", "--order"); !fault.empty()) {
      return fault;
    }
  }
  return {};
}

}  // namespace tavik::project
