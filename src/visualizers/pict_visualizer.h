// The visualizer that shows an attribute as a bound picture box, and the steps that the
// display-control visualizers (gauge, picture box, image) share.
#pragma once

#include <memory>
#include <string_view>

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CCtrlDesc;

class CPictVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) {
    return CVisualizer::Init(kPicture, attribute);
  }
  // The base name, the picture box "pic" + base name in column 1, and its label.
  [[nodiscard]] Status CreateControls() override;
  // Binds the group's picture box to the entity's data control by the physical name.
  [[nodiscard]] Status DoBinding() override;
};

// Places a display control that the visualizer made and initialised: named prefix + base
// name, in column 1 after the label (when the attribute has label text), with its
// properties, handle and draw flag, and a tab index when it takes one; the form keeps it.
[[nodiscard]] Status AddDisplayControl(CAttribVisualizer& visualizer,
                                       std::unique_ptr<CCtrlDesc> control, std::string_view prefix,
                                       bool takes_tab_index);

// The first control of the class among the group's items; none for no group.
CCtrlDesc* FindDisplayControl(const CCtrlGroup* group, std::string_view class_name);

// Binds the group's control of the class to the entity's data control by the physical
// name: 4 without a group, 5 without such a control, 2 without a physical name.
[[nodiscard]] Status BindDisplayControl(CAttribVisualizer& visualizer, std::string_view class_name);

}  // namespace tavik
