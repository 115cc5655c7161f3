// The visualizer that shows an attribute as a bound image.
#pragma once

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CImageVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) { return CVisualizer::Init(kImage, attribute); }
  // The base name, the image "img" + base name in column 1, and its label; the image
  // takes no tab index.
  [[nodiscard]] Status CreateControls() override;
  // Binds the group's image to the entity's data control by the physical name.
  [[nodiscard]] Status DoBinding() override;
};

}  // namespace tavik
