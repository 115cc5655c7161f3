// A rule a field's value keeps, as a database writes it beside the column, made into the
// condition a form checks before it saves the record.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavik::text {

class ValueRule {
 public:
  // The Visual Basic condition that holds when the typed text (value, an expression such
  // as "txtPrice.Text") breaks the rule, or nothing for a rule the form cannot check. The
  // rules: "Between a And b", a comparison with a literal ("<", "<=", ">", ">=", "=",
  // "<>"), "In (a, b, ...)", "Like "pattern"" and "Is Not Null", each perhaps after "Not".
  // Literals are numbers, compared as numbers, or strings in double or single quotes. An
  // empty value keeps every rule but "Is Not Null", as an empty field does in the database.
  static std::optional<std::string> BreakingCondition(std::string_view rule,
                                                      std::string_view value);
};

}  // namespace tavik::text
