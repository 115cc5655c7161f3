// Model file texts for tests: attributes with their property groups, entities, relationships
// and the model around them, as the JSON the model loader reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavik::testing {

// JSON texts separated by commas, for the lists of a model.
inline std::string JsonList(const std::vector<std::string>& items) {
  std::string list;
  for (const auto& item : items) list += (list.empty() ? "" : ",") + item;
  return list;
}

// The ATTRIB_INFO members of an ordinary column: one-letter display, base and role names,
// no relation.
inline constexpr std::string_view kPlainNames =
    R"(, "DISPLAY_NAME": "D", "BASE_NAME": "B", "ROLE_NAME": "R", "REL_COUNT": 0)";

// The ATTRIB_INFO members of a key column, not required; a key migrated from a parent names
// the relation it came through (0 for none).
inline std::string KeyNames(std::string_view display, std::string_view base, int relation) {
  std::string rel = relation ? R"("REL_COUNT": 1, "REL0_ID": )" + std::to_string(relation)
                             : std::string(R"("REL_COUNT": 0)");
  return R"(, "DISPLAY_NAME": ")" + std::string(display) + R"(", "BASE_NAME": ")" +
         std::string(base) + R"(", "ROLE_NAME": "R", "REQUIRED": 0, )" + rel;
}

// A property group with its members, led by a comma to follow the group before it.
inline std::string Group(std::string_view name, std::string_view members) {
  return R"(, ")" + std::string(name) + R"(": {)" + std::string(members) + "}";
}

// A visible attribute: ATTRIB_INFO with the id, the physical name and the further members
// of info, then the property groups (each led by a comma).
inline std::string AttributeText(int id, std::string_view column, std::string_view info,
                                 std::string_view groups) {
  return R"({"ATTRIB_INFO": {"ID": )" + std::to_string(id) + R"(, "PHYSICAL_NAME": ")" +
         std::string(column) + "\"" + std::string(info) +
         R"(}, "FORM_ATTRIB_INFO": {"VISIBLE": 1})" + std::string(groups) + "}";
}

// A visible entity whose physical and unique names are the name.
inline std::string EntityText(int id, std::string_view name, std::string_view style,
                              std::string_view attributes) {
  return R"({"properties": {"ID": )" + std::to_string(id) + R"(, "PHYSICAL_NAME": ")" +
         std::string(name) + R"(", "UNIQUE_PHYS_NAME": ")" + std::string(name) +
         R"(", "DISPLAY_STYLE": ")" + std::string(style) + R"(", "VISIBLE": 1}, "attributes": [)" +
         std::string(attributes) + "]}";
}

// A relationship from the parent entity to the child, with the ids of its key attributes.
inline std::string RelationText(int id, int parent, int child, std::string_view attributes) {
  return R"({"properties": {"RELATION_ID": )" + std::to_string(id) + R"(, "PARENT_ENTITY": )" +
         std::to_string(parent) + R"(, "CHILD_ENTITY": )" + std::to_string(child) +
         R"(}, "attributes": [)" + std::string(attributes) + "]}";
}

// A model of the entities, without relationships or with the ones given.
inline std::string ModelText(std::string_view entities) {
  return R"({"tavik_model": 1, "entities": [)" + std::string(entities) + "]}";
}
inline std::string ModelText(std::string_view entities, std::string_view relations) {
  return R"({"tavik_model": 1, "entities": [)" + std::string(entities) +
         R"(], "relationships": [)" + std::string(relations) + "]}";
}

}  // namespace tavik::testing
