// What the import reads of the SQL a database server gives back for a CHECK constraint
// or a column's default.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::import {

class ServerExpression {
 public:
  struct ValueList {
    std::string column;  // "VALUE" in a domain's constraint
    std::vector<std::string> values;
  };

  // A constraint that limits one column to a list of literals, however the server writes
  // it back: "col IN ('a', 'b')", PostgreSQL's "((col)::text = ANY ((ARRAY['a'::character
  // varying, ...])::text[]))", or "col = 'a' OR col = 'b'". Casts and parentheses are
  // read past; "CHECK" before the expression may stand or not.
  static std::optional<ValueList> CheckedValues(std::string_view sql);

  // A default as the value the form writes into a new record's box: a literal (its casts
  // read past), TRUE and FALSE as 1 and 0, and the current date, time or moment as
  // CURRENT_DATE, CURRENT_TIME or CURRENT_TIMESTAMP; nothing for another expression.
  static std::optional<std::string> Default(std::string_view sql);
};

}  // namespace tavik::import
