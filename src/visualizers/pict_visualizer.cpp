// Picture box visualizer.
#include "visualizers/pict_visualizer.h"

#include <string>

#include "controls/pict_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"

namespace tavik {

Status CPictVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  FormContext* form = GetFormDesc();
  auto control = std::make_unique<CPictCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  return AddBoundControl(std::move(control), "pic");
}

Status CPictVisualizer::DoBinding() {
  return BindGroupCtrl({"PictureBox"});
}

}  // namespace tavik
