// The edit style an imported column's type and value list call for.
#include "import/column_edit_style.h"

#include <array>
#include <optional>
#include <utility>

#include "import/declared_type.h"

namespace tavik::import {

// Two values that say yes and no, written no first, are turned round: the first value of
// a check box is its checked one. Whether the values say yes and no.
bool ColumnEditStyle::PutYesFirst(std::vector<std::string>& flags) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kPairs = {{
      {"y", "n"},
      {"yes", "no"},
      {"t", "f"},
      {"true", "false"},
      {"1", "0"},
      {"on", "off"},
  }};
  const std::string first = FoldedName(flags[0]);
  const std::string second = FoldedName(flags[1]);
  for (const auto& [yes, no] : kPairs) {
    if (first == no && second == yes) std::swap(flags[0], flags[1]);
    if ((first == no && second == yes) || (first == yes && second == no)) return true;
  }
  return false;
}

void ColumnEditStyle::Choose(ImportedSchema::Column& column, std::vector<std::string>* values,
                             std::string_view declared_type) {
  const DeclaredType type(declared_type);
  if (values && values->size() == 2) {
    // A yes that reads "1" or "Y" says less than the column's own label.
    column.flag_shows_label = PutYesFirst(*values);
    column.flags = {{(*values)[0], (*values)[0]}, {(*values)[1], (*values)[1]}};
  } else if (!values && type.IsBoolean()) {
    column.flags = {{"Yes", "1"}, {"No", "0"}};
  }
  std::optional<std::string> mask;
  if (!column.flags.empty()) {
    column.edit_style = kCheckBoxStyle;
  } else if (values) {
    column.edit_style = kComboBoxStyle;
    for (const std::string& value : *values) column.values.emplace_back(value, value);
    column.values_limit = true;
  } else if (type.IsPicture()) {
    column.edit_style = kPictureStyle;
  } else if ((mask = type.DateTimeMask())) {
    column.edit_style = kMaskedEditStyle;
    column.mask = *mask;
  }
}

}  // namespace tavik::import
