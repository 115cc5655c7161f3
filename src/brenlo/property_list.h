// One list of named properties as the BR_ functions serve it: group by group, in arrival order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::brenlo {

// Properties of one entity, attribute or relationship. Texts are held in Windows-1252.
// Entity and relationship properties all sit in one group with an empty name. Names of
// properties and groups are the model's shared copies (NameTable).
class PropertyList {
 public:
  struct Property {
    Property(std::uint32_t in_group, bool string, std::int32_t value_number,
             const std::string* property_name, std::string_view value_text)
        : group(in_group),
          is_string(string),
          number(value_number),
          name(property_name),
          text(value_text) {}

    std::uint32_t group = 0;
    bool is_string = false;
    std::int32_t number = 0;
    const std::string* name = nullptr;
    std::string text;

    bool operator==(const Property& other) const {
      return group == other.group && is_string == other.is_string && number == other.number &&
             *name == *other.name && text == other.text;
    }
  };

  // Opens a group; the properties added with its index belong to it.
  std::uint32_t AddGroup(const std::string& name);
  void AddString(std::uint32_t group, const std::string& name, std::string_view text);
  void AddNumber(std::uint32_t group, const std::string& name, std::int32_t number);

  // Room for so many properties and groups, as many as the list before it held, say.
  void Reserve(std::size_t count, std::size_t groups) {
    properties_.reserve(count);
    groups_.reserve(groups);
  }
  std::size_t size() const { return properties_.size(); }
  std::size_t group_count() const { return groups_.size(); }
  const Property& at(std::size_t index) const { return properties_[index]; }
  const std::string& GroupName(const Property& property) const { return *groups_[property.group]; }

  // The first property of that group and name, or nullptr. A linear walk, meant for
  // naming things in messages, not for serving.
  const Property* Find(std::string_view group, std::string_view name) const;

  // Same groups and properties, names compared by their text.
  bool operator==(const PropertyList& other) const;

 private:
  std::vector<const std::string*> groups_;
  std::vector<Property> properties_;
};

}  // namespace tavik::brenlo
