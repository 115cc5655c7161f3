// The visualizers that show a lookup attribute: a key of another table, shown by a name.
#pragma once

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CLookupVisualizer : public CAttribVisualizer {
 public:
  static constexpr std::int32_t kLookup = 10;

  [[nodiscard]] Status Init(CAttribDesc* attribute) {
    return CVisualizer::Init(kLookup, attribute);
  }
  // The base name, the combo box "cbx" + base name in column 1 and its label; version 4
  // makes a data combo "dbc" + base name and the hidden data control "dlk" + base name that
  // reads its rows. 2 when the edit style names no table.
  [[nodiscard]] Status CreateControls() override;
  // Binds the lookup control to the entity's data control by the physical name.
  [[nodiscard]] Status DoBinding() override;
};

}  // namespace tavik
