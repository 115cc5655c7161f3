// Walks one property list of the model access library, handing each property over as a value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/value.h"

namespace tavik {

struct ModelProperty {
  std::string_view group;
  const std::string* name;  // the process's shared copy (PropertyNames)
  Value value;
};

class PropertyListReader {
 public:
  // Calls visit for each property of the list, in order, until visit returns false; visit
  // may take the value. Returns the number of properties met. A template rather than a
  // std::function: it runs for every property of the model.
  template <class Visit>
  static int ForEach(std::uint32_t property_list, Visit&& visit) {
    PropertyListReader reader(property_list);
    int count = 0;
    for (bool more = reader.First(); more; more = reader.Next()) {
      ++count;
      ModelProperty property = reader.Current();
      if (!visit(property)) break;
    }
    return count;
  }

 private:
  explicit PropertyListReader(std::uint32_t property_list) : list_(property_list) {}

  bool First();
  bool Next();
  ModelProperty Current();

  std::uint32_t list_;
  std::uint32_t ignored_ = 0;
  const char* group_ = nullptr;
  const char* name_ = nullptr;
  const char* type_code_ = nullptr;
  std::int32_t number_ = 0;
  const char* text_ = nullptr;
  // The model hands out one copy of a group's name for all its properties, so its length
  // is measured where the copy changes only.
  const char* measured_group_ = nullptr;
  std::string_view group_view_ = "";
};

}  // namespace tavik
