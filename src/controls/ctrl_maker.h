// What a control asks of the visualizer that makes it: the attribute it shows, and its entity.
#pragma once

namespace tavik {

class BoundEntity;
class CAttribute;

// Every visualizer implements this; a control holds its maker by this interface alone, so
// that the controls' floor sees neither the visualizers nor the entity floor above it.
class CtrlMaker {
 public:
  CtrlMaker() = default;
  CtrlMaker(const CtrlMaker&) = delete;
  CtrlMaker& operator=(const CtrlMaker&) = delete;

  // The model's attribute the controls show; null for a visualizer of a whole entity.
  virtual CAttribute* ShownAttribute() const = 0;
  // That attribute's entity, as a bound control asks it; null when there is no attribute.
  virtual BoundEntity* ShownEntity() const = 0;

 protected:
  ~CtrlMaker() = default;
};

}  // namespace tavik
