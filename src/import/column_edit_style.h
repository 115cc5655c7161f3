// The edit style an imported column's type and value list call for, the same for every
// database whose types are declared in SQL.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/imported_schema.h"

namespace tavik::import {

class ColumnEditStyle {
 public:
  // Two values make a check box, more a list limited to them; without values a boolean
  // type makes a check box, a blob a picture and a date or time a masked edit. The type
  // is read as DeclaredType reads it. values may be turned round (yes first).
  static void Choose(ImportedSchema::Column& column, std::vector<std::string>* values,
                     std::string_view declared_type);

 private:
  static bool PutYesFirst(std::vector<std::string>& flags);
};

}  // namespace tavik::import
