// Image visualizer.
#include "visualizers/image_visualizer.h"

#include <memory>

#include "controls/image_ctrl.h"
#include "form/form_context.h"
#include "visualizers/pict_visualizer.h"

namespace tavik {

Status CImageVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  FormContext* form = GetFormDesc();
  auto control = std::make_unique<CImageCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  // An image takes no focus, so it has no place in the tab order.
  return AddBoundControl(std::move(control), "img", /*takes_tab_index=*/false);
}

Status CImageVisualizer::DoBinding() {
  return BindGroupCtrl({"Image"});
}

}  // namespace tavik
