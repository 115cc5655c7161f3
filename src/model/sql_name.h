// The name by which generated SQL refers to a table or column.
#pragma once

#include <string>
#include <string_view>

namespace tavik {

class SqlName {
 public:
  // The name as it is when it is a plain identifier (a letter, then letters, digits and "_")
  // that the data control's SQL does not reserve; otherwise the name in brackets.
  static std::string Quoted(std::string_view name);
  // The same, appended to text, which spares a copy for a caller building a longer text.
  static void AppendQuoted(std::string& text, std::string_view name);
  // Whether the database engine's SQL reserves the word, in any case.
  static bool IsReserved(std::string_view word);
};

}  // namespace tavik
