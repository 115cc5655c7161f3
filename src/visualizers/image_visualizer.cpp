// Image visualizer.
#include "visualizers/image_visualizer.h"

#include <memory>

#include "controls/image_ctrl.h"
#include "form/form_desc.h"
#include "visualizers/pict_visualizer.h"

namespace tavik {

Status CImageVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  CFormDesc* form = GetFormDesc();
  auto control = std::make_unique<CImageCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  return AddDisplayControl(*this, std::move(control), "img", false);
}

Status CImageVisualizer::DoBinding() {
  return BindDisplayControl(*this, "Image");
}

}  // namespace tavik
