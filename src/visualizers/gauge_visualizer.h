// The visualizers that show an attribute as a gauge.
#pragma once

#include "visualizers/attrib_visualizer.h"

namespace tavik {

class CGaugeVisualizer : public CAttribVisualizer {
 public:
  [[nodiscard]] Status Init(CAttribDesc* attribute) { return CVisualizer::Init(kGauge, attribute); }
  // The base name, the gauge "gau" + base name in column 1, and its label.
  [[nodiscard]] Status CreateControls() override;
  // Has the group's gauge follow the field of the entity's data control.
  [[nodiscard]] Status DoBinding() override;
};

// Version 4 names the gauge's class "GaugeLib.Gauge".
class CGauge4Visualizer : public CGaugeVisualizer {
 public:
  [[nodiscard]] Status CreateControls() override;
  [[nodiscard]] Status DoBinding() override;
};

}  // namespace tavik
