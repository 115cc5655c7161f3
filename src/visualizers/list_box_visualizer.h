// The visualizers that show an attribute as a list box of its valid values.
#pragma once

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CListBoxVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) {
    return CVisualizer::Init(kListBox, attribute);
  }
  // The base name, the list box "lbx" + base name in column 1, its label, and the filling
  // of the list box from the attribute's list when the form loads.
  [[nodiscard]] Status CreateControls() override;
  // Binds the group's list box to the entity's data control by the physical name.
  [[nodiscard]] Status DoBinding() override;
  // The edit style's list before the column's.
  [[nodiscard]] Status DetermineValidationList() override;
};

class CListBox4Visualizer : public CListBoxVisualizer {
 public:
  // As version 3; 5 when no list box came of it.
  [[nodiscard]] Status CreateControls() override;
};

}  // namespace tavik
