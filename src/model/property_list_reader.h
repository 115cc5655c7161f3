// Reads one property list of the model access library in one piece, each property as a value.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/value.h"
#include "tavikfw/brenlo.h"

namespace tavik {

struct ModelProperty {
  std::string_view group;
  const std::string* name;  // the process's shared copy (PropertyNames)
  Value value;
};

class PropertyListReader {
 public:
  // The list's properties in order, as views into the model's texts, valid until the next
  // Read; none when the handle names no list.
  static std::span<const BR_PropertyView> Read(std::uint32_t property_list);
  static std::string_view Group(const BR_PropertyView& property) {
    return {property.group_name, property.group_name_length};
  }
  // The process's shared copy of the property's name.
  static const std::string& Name(const BR_PropertyView& property);
  static Value ValueOf(const BR_PropertyView& property) {
    return property.is_string != 0 ? Value::String({property.string_value, property.string_length})
                                   : Value::Long(property.number_value);
  }

  // Calls visit for each property of the list, in order, until visit returns false; visit
  // may take the value. Returns the number of properties met. A template rather than a
  // std::function: it runs for every property of the model.
  template <class Visit>
  static int ForEach(std::uint32_t property_list, Visit&& visit) {
    int count = 0;
    for (const BR_PropertyView& view : Read(property_list)) {
      ++count;
      ModelProperty property{Group(view), &Name(view), ValueOf(view)};
      if (!visit(property)) break;
    }
    return count;
  }
};

}  // namespace tavik
