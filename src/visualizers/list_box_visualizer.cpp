// List box visualizers.
#include "visualizers/list_box_visualizer.h"

#include <memory>
#include <string>

#include "controls/list_box_ctrl.h"
#include "entity/attrib_desc.h"
#include "form/form_context.h"
#include "visualizers/combo_box_visualizer.h"

namespace tavik {

namespace {

constexpr const char* kListBoxClass = "ListBox";

}  // namespace

Status CListBoxVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  FormContext* form = GetFormDesc();
  auto control = std::make_unique<CListBoxCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  CListBoxCtrl* list_box = control.get();
  return AddBoundControl(std::move(control), "lbx", true, [this, list_box](CCtrlDesc&) -> Status {
    auto list_id = GetAttribDesc()->GetProperty("VLD_LISTID");
    if (!HasText(list_id)) return kOk;
    const std::string& list_name = GetFormDesc()->ListName(list_id->Text());
    return list_box->SetupList(list_name);
  });
}

Status CListBox4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a list box came of them.
  (void)CListBoxVisualizer::CreateControls();
  return CheckGroupCtrl(kListBoxClass);
}

Status CListBoxVisualizer::DoBinding() {
  return BindGroupCtrl({kListBoxClass});
}

Status CListBoxVisualizer::DetermineValidationList() {
  CAttribDesc* attribute = GetAttribDesc();
  if (!attribute) return kOk;
  // A failed copy leaves the attribute without list, as if it had none.
  (void)list_visualizers::PreferEditStyleList(*attribute);
  return kOk;
}

}  // namespace tavik
