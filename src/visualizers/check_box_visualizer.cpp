// Check box visualizers.
#include "visualizers/check_box_visualizer.h"

#include <string>

#include "controls/check_box_ctrl.h"
#include "controls/combo_box_ctrl.h"
#include "entity/attrib_desc.h"
#include "form/form_context.h"
#include "visualizers/combo_box_visualizer.h"

namespace tavik {

namespace {

// The attribute names no valid-value list for its edit style.
enum ListFault : Status { kNoEditStyleList = 4 };

}  // namespace

Status CCheckBoxVisualizer::CreateControls() {
  return CreateCheckBox(std::make_unique<CCheckBoxCtrl>());
}

Status CCheckBox4Visualizer::CreateControls() {
  return CreateCheckBox(std::make_unique<CCheckBox4Ctrl>());
}

// The caption comes after the control was measured, so the width follows the column's type.
Status CCheckBoxVisualizer::CreateCheckBox(std::unique_ptr<CCheckBoxCtrl> control) {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  FormContext* form = GetFormDesc();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  return AddBoundControl(std::move(control), "chk", true, [](CCtrlDesc& check_box) -> Status {
    const CNxPropertySection* list = list_controls::ValidValueListOf(check_box);
    if (!list || list->GetPropertyList().empty()) return kOk;
    return check_box.AddProperty(Value::String(list->GetPropertyList().front().GetName()),
                                 "Caption");
  });
}

Status CCheckBoxVisualizer::DoBinding() {
  return BindGroupCtrl({"CheckBox", "SSCheck"});
}

Status CCheckBoxVisualizer::DetermineValidationList() {
  CAttribDesc* attribute = GetAttribDesc();
  auto list = attribute ? attribute->GetProperty("EST_VLDLIST") : std::nullopt;
  if (!HasText(list)) return kNoEditStyleList;
  attribute->AddProperty(*list, "VLD_LISTID");
  return kOk;
}

}  // namespace tavik
