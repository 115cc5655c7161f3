// The visualizers that show an attribute as a combo box of its valid values.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CCtrlDesc;

// Steps shared by the visualizers of one control per attribute that a valid-value list
// drives: combo box, list box and check box.
namespace list_visualizers {

// Puts an initialised control on the form as a text box is put there: named prefix + the
// control base name, measured, after its label in column 1, numbered in tab order and
// registered with the form. finish runs once the control is drawable, before it joins the
// visualizer's group; its failure drops the control.
[[nodiscard]] Status AddAttributeControl(CAttribVisualizer& visualizer,
                                         std::unique_ptr<CCtrlDesc> control,
                                         std::string_view prefix,
                                         const std::function<Status(CCtrlDesc&)>& finish);
// The first control of the group, in item order, whose class is one of the names.
CCtrlDesc* FindControl(const CCtrlGroup& group, std::initializer_list<std::string_view> classes);
// 0 when the visualizer's group holds a control of the class, 5 when not, 4 without group.
[[nodiscard]] Status CheckControl(const CAttribVisualizer& visualizer, std::string_view class_name);
// Binds the first control of one of the classes to the entity's data control on the
// attribute's physical name (the binding's own status is not passed on); 4 without group,
// 5 without such a control, 2 without a physical name.
[[nodiscard]] Status BindFirstControl(CAttribVisualizer& visualizer,
                                      std::initializer_list<std::string_view> classes);
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
