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

  // group: the name of the property's group, a shared copy. text: a copy the model keeps,
  // ended by a zero (TextStore). Inline, as the next: they run for every property of the
  // model.
  void AddString(const std::string& group, const std::string& name, std::string_view text) {
    Add(group, name, text, true, 0);
  }
  // A number's text is empty, as the bulk read serves it.
  void AddNumber(const std::string& group, const std::string& name, std::int32_t number) {
    Add(group, name, "", false, number);
  }

  // Room for so many properties, as many as the list before it held, say.
  void Reserve(std::size_t count) { properties_.reserve(count); }
  std::size_t size() const { return properties_.size(); }
  const Property& at(std::size_t index) const { return properties_[index]; }
  const Property* data() const { return properties_.data(); }

  // The first property of that group and name, or nullptr. A linear walk, meant for
  // naming things in messages, not for serving.
  const Property* Find(std::string_view group, std::string_view name) const;

  // The same properties in the same groups, names compared by their text.
  bool operator==(const PropertyList& other) const;

 private:
  void Add(const std::string& group, const std::string& name, std::string_view text, bool is_string,
           std::int32_t number) {
    properties_.push_back({group.c_str(), name.c_str(), text.data(),
                           static_cast<std::uint32_t>(group.size()),
                           static_cast<std::uint32_t>(name.size()),
                           static_cast<std::uint32_t>(text.size()), number, is_string ? 1 : 0});
  }

  std::vector<Property> properties_;
};

}  // namespace tavik::brenlo
