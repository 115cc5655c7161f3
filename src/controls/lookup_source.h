// Where a lookup attribute finds its choices: the table, its key and the column shown.
#pragma once

#include <optional>
#include <string>

namespace tavik {

class CAttribute;

// A lookup attribute stores a key of another table and shows a display column of it. The
// edit style names the table ("ESKTBL"), the key column there ("ESKKEY", else the attribute's
// own physical name) and the display column ("ESKDSP", else the key).
struct LookupSource {
  std::string table;
  std::string key;
  std::string display;
  // The key holds whole numbers (its declared type names an integer), so a Visual Basic 3
  // combo box keeps it in ItemData; other keys stand in a parallel array of texts.
  bool numeric_key = false;

  // None when the edit style names no table or the attribute has no physical name.
  static std::optional<LookupSource> Of(const CAttribute& attribute);

  // The rows of the looked-up table, key and display column, in the order of the display.
  std::string SelectText() const;
};

}  // namespace tavik
