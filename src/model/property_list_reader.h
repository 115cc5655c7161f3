// Walks one property list of the model access library, handing each property over as a value.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "model/value.h"

namespace tavik {

struct ModelProperty {
  std::string_view group;
  std::string_view name;
  Value value;
};

class PropertyListReader {
 public:
  // Calls visit for each property of the list, in order, until visit returns false; visit
  // may take the value. Returns the number of properties met.
  static int ForEach(std::uint32_t property_list, const std::function<bool(ModelProperty&)>& visit);
};

}  // namespace tavik
