// One list of named properties as the BR_ functions serve it: group by group, in arrival order.
#pragma once

#include <cstdint>
#include <string_view>

#include "tavikfw/brenlo.h"

namespace tavik::brenlo {

class PropertyArena;

// Properties of one entity, attribute or relationship. Texts are held in Windows-1252.
// Entity and relationship properties all sit in one group with an empty name. Names of
// properties and groups are the model's shared copies (NameTable).
//
// Each property is kept as the bulk read hands it over (BR_GetPropertyList), its texts
// the model's own, so serving a list copies nothing. The properties themselves lie side
// by side in the model's PropertyArena, which alone adds to a list.
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

  std::size_t size() const { return size_; }
  const Property& at(std::size_t index) const { return data_[index]; }
  const Property* data() const { return data_; }

  // The first property of that group and name, or nullptr. A linear walk, meant for
  // naming things in messages, not for serving.
  const Property* Find(std::string_view group, std::string_view name) const;

  // The same properties in the same groups, names compared by their text.
  bool operator==(const PropertyList& other) const;

  // Whether a property might fail the model's check (ModelChecker::Doubtful): the check
  // reads only lists so marked.
  bool doubtful() const { return doubtful_; }
  void MarkDoubtful() { doubtful_ = true; }

 private:
  friend class PropertyArena;

  Property* data_ = nullptr;
  std::uint32_t size_ = 0;
  bool doubtful_ = false;
};

}  // namespace tavik::brenlo
