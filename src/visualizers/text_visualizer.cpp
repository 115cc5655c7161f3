// Text visualizers.
#include "visualizers/text_visualizer.h"

#include <memory>
#include <string>

#include "controls/text_box_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"

namespace tavik {

constexpr const char* kTextBoxClass = "TextBox";

Status CTextVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  FormContext* form = GetFormDesc();
  auto control = std::make_unique<CTextBoxCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  return AddBoundControl(std::move(control), "tbx");
}

Status CText4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a text box came of them.
  (void)CTextVisualizer::CreateControls();
  return CheckGroupCtrl(kTextBoxClass);
}

Status CTextVisualizer::DoBinding() {
  return BindGroupCtrl({kTextBoxClass});
}

}  // namespace tavik
