// One list of named properties as the BR_ functions serve it: group by group, in arrival order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tavikfw/brenlo.h"

namespace tavik::brenlo {

// Properties of one entity, attribute or relationship. Texts are held in Windows-1252.
// Entity and relationship properties all sit in one group with an empty name. Names of
// properties and groups are the model's shared copies (NameTable).
//
// Each property is kept as the bulk read hands it over (BR_GetPropertyList), its texts
// the model's own, so serving a list copies nothing.
class PropertyList {
 public:
  using Property = BR_PropertyView;

  static std::string_view Group(const Property& property) {
    return {property.group_name, property.group_name_length};
  }
  static std::string_view Name(const Property& property) {
    return {property.property_name, property.property_name_length};
  }
  static std::string_view Text(const Property& property) {
    return {property.string_value, property.string_length};
  }

  // Opens a group; the properties added with its index belong to it.
  std::uint32_t AddGroup(const std::string& name);
  // text: a copy the model keeps, ended by a zero (TextStore). Inline, as the next: they
  // run for every property of the model.
  void AddString(std::uint32_t group, const std::string& name, std::string_view text) {
    Add(group, name, text, true, 0);
  }
  // A number's text is empty, as the bulk read serves it.
  void AddNumber(std::uint32_t group, const std::string& name, std::int32_t number) {
    Add(group, name, "", false, number);
  }

  // Room for so many properties and groups, as many as the list before it held, say.
  void Reserve(std::size_t count, std::size_t groups) {
    properties_.reserve(count);
    groups_.reserve(groups);
  }
  std::size_t size() const { return properties_.size(); }
  std::size_t group_count() const { return groups_.size(); }
  const Property& at(std::size_t index) const { return properties_[index]; }
  const Property* data() const { return properties_.data(); }

  // The first property of that group and name, or nullptr. A linear walk, meant for
  // naming things in messages, not for serving.
  const Property* Find(std::string_view group, std::string_view name) const;

  // Same groups and properties, names compared by their text.
  bool operator==(const PropertyList& other) const;

 private:
  void Add(std::uint32_t group, const std::string& name, std::string_view text, bool is_string,
           std::int32_t number) {
    const std::string& group_name = *groups_[group];
    properties_.push_back({group_name.c_str(), name.c_str(), text.data(),
                           static_cast<std::uint32_t>(group_name.size()),
                           static_cast<std::uint32_t>(name.size()),
                           static_cast<std::uint32_t>(text.size()), number, is_string ? 1 : 0});
  }

  std::vector<const std::string*> groups_;
  std::vector<Property> properties_;
};

}  // namespace tavik::brenlo
