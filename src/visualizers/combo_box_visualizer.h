// The visualizers that show an attribute as a combo box of its valid values.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CCtrlDesc;

// A step shared by the visualizers whose control a valid-value list drives: combo box,
// list box and check box.
namespace list_visualizers {

// The list of the edit style, else that of the column, becomes the attribute's "VLD_LISTID".
[[nodiscard]] Status PreferEditStyleList(CAttribDesc& attribute);

}  // namespace list_visualizers

class CComboBoxVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) {
    return CVisualizer::Init(kComboBox, attribute);
  }
  // The base name, the combo box "cbx" + base name in column 1, its label, and the filling
  // of the combo box from the attribute's list when the form loads.
  [[nodiscard]] Status CreateControls() override;
  // Binds the group's combo box to the entity's data control by the physical name.
  [[nodiscard]] Status DoBinding() override;
  // The edit style's list before the column's.
  [[nodiscard]] Status DetermineValidationList() override;
};

class CComboBox4Visualizer : public CComboBoxVisualizer {
 public:
  // As version 3; 5 when no combo box came of it.
  [[nodiscard]] Status CreateControls() override;
};

}  // namespace tavik
