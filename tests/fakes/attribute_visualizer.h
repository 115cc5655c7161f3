// A visualizer that only hands its controls an attribute, for tests of control translation.
#pragma once

#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "visualizers/visualizer.h"

namespace tavik::testing {

class AttributeVisualizer : public CVisualizer {
 public:
  explicit AttributeVisualizer(CAttribDesc* attribute) : attribute_(attribute) {}
  CAttribDesc* GetAttribDesc() const override { return attribute_; }
  CAttribute* ShownAttribute() const override { return attribute_; }
  BoundEntity* ShownEntity() const override {
    return attribute_ ? attribute_->GetEntityDesc() : nullptr;
  }

 private:
  CAttribDesc* attribute_;
};

}  // namespace tavik::testing
