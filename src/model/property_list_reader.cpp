// Reading property lists through the BR_ functions.
#include "model/property_list_reader.h"

#include "tavikfw/brenlo.h"

namespace tavik {

int PropertyListReader::ForEach(std::uint32_t property_list,
                                const std::function<bool(ModelProperty&)>& visit) {
  std::uint32_t ignored = 0;
  const char* group = nullptr;
  const char* name = nullptr;
  const char* type_code = nullptr;
  std::int32_t number = 0;
  const char* text = nullptr;
  int count = 0;
  for (int result =
           BR_GetFirstProperty(property_list, &ignored, &group, &name, &type_code, &number, &text);
       result == 0; result = BR_GetNextProperty(property_list, &ignored, &group, &name, &type_code,
                                                &number, &text)) {
    ++count;
    bool is_string = type_code && type_code[0] == 'S';
    ModelProperty property{group ? group : "", name ? name : "",
                           is_string ? Value::String(text ? text : "") : Value::Long(number)};
    if (!visit(property)) break;
  }
  return count;
}

}  // namespace tavik
