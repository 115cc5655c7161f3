// Combo box visualizers, and the list choice they share with the list box and check box ones.
#include "visualizers/combo_box_visualizer.h"

#include <string>

#include "controls/combo_box_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"

namespace tavik {

namespace {

constexpr const char* kComboBoxClass = "ComboBox";

}  // namespace

namespace list_visualizers {

Status PreferEditStyleList(CAttribDesc& attribute) {
  for (const char* key : {"EST_VLDLIST", "COL_VLDLIST"}) {
    auto list = attribute.GetProperty(key);
    if (HasText(list)) return attribute.AddProperty(*list, "VLD_LISTID");
  }
  return kOk;
}

}  // namespace list_visualizers

Status CComboBoxVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  FormContext* form = GetFormDesc();
  auto control = std::make_unique<CComboBoxCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  CComboBoxCtrl* combo_box = control.get();
  return AddBoundControl(std::move(control), "cbx", true, [this, combo_box](CCtrlDesc&) -> Status {
    auto list_id = GetAttribDesc()->GetProperty("VLD_LISTID");
    if (!HasText(list_id)) return kOk;
    const std::string& list_name = GetFormDesc()->ListName(list_id->Text());
    return combo_box->SetupList(list_name);
  });
}

Status CComboBox4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a combo box came of them.
  (void)CComboBoxVisualizer::CreateControls();
  return CheckGroupCtrl(kComboBoxClass);
}

Status CComboBoxVisualizer::DoBinding() {
  return BindGroupCtrl({kComboBoxClass});
}

Status CComboBoxVisualizer::DetermineValidationList() {
  CAttribDesc* attribute = GetAttribDesc();
  if (!attribute) return kOk;
  // A failed copy leaves the attribute without list, as if it had none.
  (void)list_visualizers::PreferEditStyleList(*attribute);
  return kOk;
}

}  // namespace tavik
