// A visualizer that only hands its controls an attribute, for tests of control translation.
#pragma once

#include "entity/attrib_desc.h"
#include "visualizers/visualizer.h"

namespace tavik::testing {

class AttributeVisualizer : public CVisualizer {
 public:
  explicit AttributeVisualizer(CAttribDesc* attribute) : attribute_(attribute) {}
  CAttribDesc* GetAttribDesc() const override { return attribute_; }

 private:
  CAttribDesc* attribute_;
};

}  // namespace tavik::testing
