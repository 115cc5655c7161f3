// The visualizers that show an attribute as a bound masked edit box.
#pragma once

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CMaskEdVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) {
    return CVisualizer::Init(kMaskEd, attribute);
  }
  // The base name, the box "meb" + base name in column 1, and its label.
  [[nodiscard]] Status CreateControls() override;
  // Binds the group's masked edit box to the entity's data control by the physical name.
  [[nodiscard]] Status DoBinding() override;
};

class CMaskEd4Visualizer : public CMaskEdVisualizer {
 public:
  // The version-3 box, under the class name of the version-4 control.
  [[nodiscard]] Status CreateControls() override;
  [[nodiscard]] Status DoBinding() override;
};

}  // namespace tavik
