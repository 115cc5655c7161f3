// Masked edit visualizers.
#include "visualizers/mask_ed_visualizer.h"

#include <memory>
#include <string>

#include "controls/mask_ed_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"

namespace tavik {

namespace {
constexpr const char* kMaskEdClass = "MaskEdBox";
constexpr const char* kMaskEd4Class = "MSMask.MaskEdBox";
}  // namespace

Status CMaskEdVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  FormContext* form = GetFormDesc();
  auto control = std::make_unique<CMaskEdCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  return AddBoundControl(std::move(control), "meb");
}

Status CMaskEdVisualizer::DoBinding() {
  return BindGroupCtrl({kMaskEdClass});
}

Status CMaskEd4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a box came of them.
  (void)CMaskEdVisualizer::CreateControls();
  if (Status status = CheckGroupCtrl(kMaskEdClass)) return status;
  return FindGroupCtrl({kMaskEdClass})->SetClassName(kMaskEd4Class);
}

Status CMaskEd4Visualizer::DoBinding() {
  return BindGroupCtrl({kMaskEd4Class});
}

}  // namespace tavik
