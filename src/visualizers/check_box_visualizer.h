// The visualizers that show a two-valued attribute as a check box.
#pragma once

#include <memory>

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CCheckBoxCtrl;

class CCheckBoxVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) {
    return CVisualizer::Init(kCheckBox, attribute);
  }
  // The base name, the check box "chk" + base name in column 1 captioned with the list's
  // first entry, and its label.
  [[nodiscard]] Status CreateControls() override;
  // Binds the group's check box (plain or three-dimensional) to the entity's data control
  // by the physical name.
  [[nodiscard]] Status DoBinding() override;
  // Only the edit style's list will do; 4 when the attribute has none.
  [[nodiscard]] Status DetermineValidationList() override;

 protected:
  [[nodiscard]] Status CreateCheckBox(std::unique_ptr<CCheckBoxCtrl> control);
};

class CCheckBox4Visualizer : public CCheckBoxVisualizer {
 public:
  // As version 3, with the check box of version 4.
  [[nodiscard]] Status CreateControls() override;
};

}  // namespace tavik
