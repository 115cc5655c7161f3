// The visualizer that shows an attribute as a bound picture box.
#pragma once

#include "visualizers/attrib_visualizer.h"

namespace tavik {

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

}  // namespace tavik
