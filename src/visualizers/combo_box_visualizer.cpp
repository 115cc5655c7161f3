// Combo box visualizers, and the steps they share with the list box and check box ones.
#include "visualizers/combo_box_visualizer.h"

#include <string>

#include "controls/combo_box_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

constexpr const char* kComboBoxClass = "ComboBox";
constexpr std::int32_t kControlColumn = 1;
// Statuses of a group without items to search, and of a group without the control.
constexpr Status kNoItemList = 4;
constexpr Status kNoControl = 5;

bool HasText(const std::optional<Value>& value) {
  return value && !value->Text().empty();
}

}  // namespace

namespace list_visualizers {

Status AddAttributeControl(CAttribVisualizer& visualizer, std::unique_ptr<CCtrlDesc> control,
                           std::string_view prefix,
                           const std::function<Status(CCtrlDesc&)>& finish) {
  CFormDesc* form = visualizer.GetFormDesc();
  auto item = std::make_unique<CCtrlPosItem>(control.get(), 0, 0.0f, 0.0f);
  item->column = kControlColumn;

  std::string name = std::string(prefix) + visualizer.GetCtrlBaseName();
  control->SetCtrlName(name);
  if (Status status = control->AddProperty(Value::String(name), "Name")) return status;
  control->SetDataCtrl(visualizer.GetEntityDesc()->GetDataCtrl());
  (void)control->HandleProperties();

  if (HasText(visualizer.GetAttribDesc()->GetTvkProperty(format_ids::kColProp, "CD_PLB"))) {
    if (Status status = visualizer.CreateLabel()) return status;
  }

  control->SetCtrlHandle(form->GetCurrCtrlHandle());
  (void)control->AddProperty(Value::Short(static_cast<std::int16_t>(form->GetCurrTabIndex())),
                             "TabIndex");
  control->SetDrawFlag(1);
  if (Status status = finish(*control)) return status;
  if (Status status = visualizer.GetCtrlGroup()->AddItem(std::move(item))) return status;
  return form->SetCtrl(std::move(control));
}

CCtrlDesc* FindControl(const CCtrlGroup& group, std::initializer_list<std::string_view> classes) {
  for (const auto& item : group.GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    if (!control) continue;
    for (std::string_view class_name : classes) {
      if (control->GetClassName() == class_name) return control;
    }
  }
  return nullptr;
}

Status CheckControl(const CAttribVisualizer& visualizer, std::string_view class_name) {
  CCtrlGroup* group = visualizer.GetCtrlGroup();
  if (!group) return kNoItemList;
  return FindControl(*group, {class_name}) ? kOk : kNoControl;
}

Status BindFirstControl(CAttribVisualizer& visualizer,
                        std::initializer_list<std::string_view> classes) {
  CCtrlGroup* group = visualizer.GetCtrlGroup();
  if (!group) return kNoItemList;
  CCtrlDesc* control = FindControl(*group, classes);
  if (!control) return kNoControl;
  auto physical_name = visualizer.GetAttribDesc()->GetProperty("PHYSICAL_NAME");
  if (!HasText(physical_name)) return kMissingProperty;
  (void)control->BindControl(visualizer.GetEntityDesc()->GetDataCtrl(), physical_name->Text(), 0);
  return kOk;
}

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
  CFormDesc* form = GetFormDesc();
  auto control = std::make_unique<CComboBoxCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  CComboBoxCtrl* combo_box = control.get();
  return list_visualizers::AddAttributeControl(
      *this, std::move(control), "cbx", [this, combo_box](CCtrlDesc&) -> Status {
        auto list_id = GetAttribDesc()->GetProperty("VLD_LISTID");
        if (!HasText(list_id)) return kOk;
        std::string list_name = list_id->Text();
        CFormDesc::ValidateString(list_name);
        return combo_box->SetupList(list_name);
      });
}

Status CComboBox4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a combo box came of them.
  (void)CComboBoxVisualizer::CreateControls();
  return list_visualizers::CheckControl(*this, kComboBoxClass);
}

Status CComboBoxVisualizer::DoBinding() {
  return list_visualizers::BindFirstControl(*this, {kComboBoxClass});
}

Status CComboBoxVisualizer::DetermineValidationList() {
  CAttribDesc* attribute = GetAttribDesc();
  if (!attribute) return kOk;
  // A failed copy leaves the attribute without list, as if it had none.
  (void)list_visualizers::PreferEditStyleList(*attribute);
  return kOk;
}

}  // namespace tavik
