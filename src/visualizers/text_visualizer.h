// The visualizers that show an attribute as a bound text box.
#pragma once

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CTextVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) { return CVisualizer::Init(kText, attribute); }
  // The base name, the text box "tbx" + base name in column 1, and its label.
  [[nodiscard]] Status CreateControls() override;
  // Binds the group's text box to the entity's data control by the physical name.
  [[nodiscard]] Status DoBinding() override;
};

class CText4Visualizer : public CTextVisualizer {
 public:
  [[nodiscard]] Status CreateControls() override;
};

}  // namespace tavik
