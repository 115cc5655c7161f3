// Query names.
#include "entity/query_name.h"

#include "form/form_desc.h"

namespace tavik {

std::string QueryName::For(std::string_view physical_name) {
  bool needs_brackets =
      physical_name.find_first_of(CFormDesc::GetForbiddenChars()) != std::string_view::npos;
  return needs_brackets ? "[" + std::string(physical_name) + "]" : std::string(physical_name);
}

}  // namespace tavik
