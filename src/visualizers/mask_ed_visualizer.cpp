// Masked edit visualizers.
#include "visualizers/mask_ed_visualizer.h"

#include <memory>
#include <string>

#include "controls/mask_ed_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

constexpr const char* kMaskEdClass = "MaskEdBox";
constexpr const char* kMaskEd4Class = "MSMask.MaskEdBox";
constexpr std::int32_t kControlColumn = 1;
// Statuses of a group without items to search, and of a group without a masked edit box.
constexpr Status kNoItemList = 4;
constexpr Status kNoMaskEdBox = 5;

// The first control of the group of that class, in item order.
CCtrlDesc* FindBox(const CCtrlGroup& group, std::string_view class_name) {
  for (const auto& item : group.GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    if (control && control->GetClassName() == class_name) return control;
  }
  return nullptr;
}

}  // namespace

Status CMaskEdVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  CFormDesc* form = GetFormDesc();
  auto control = std::make_unique<CMaskEdCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  auto item = std::make_unique<CCtrlPosItem>(control.get(), 0, 0.0f, 0.0f);
  item->column = kControlColumn;

  std::string name = "meb" + GetCtrlBaseName();
  control->SetCtrlName(name);
  if (Status status = control->AddProperty(Value::String(name), "Name")) return status;
  control->SetDataCtrl(GetEntityDesc()->GetDataCtrl());
  (void)control->HandleProperties();

  auto label_text = GetAttribDesc()->GetTvkProperty(format_ids::kColProp, "CD_PLB");
  if (label_text && !label_text->Text().empty()) {
    if (Status status = CreateLabel()) return status;
  }

  control->SetCtrlHandle(form->GetCurrCtrlHandle());
  (void)control->AddProperty(Value::Short(static_cast<std::int16_t>(form->GetCurrTabIndex())),
                             "TabIndex");
  control->SetDrawFlag(1);
  if (Status status = GetCtrlGroup()->AddItem(std::move(item))) return status;
  return form->SetCtrl(std::move(control));
}

Status CMaskEdVisualizer::DoBinding() {
  return BindBox(kMaskEdClass);
}

Status CMaskEdVisualizer::BindBox(const char* class_name) {
  CCtrlGroup* group = GetCtrlGroup();
  if (!group) return kNoItemList;
  CCtrlDesc* box = FindBox(*group, class_name);
  if (!box) return kNoMaskEdBox;
  auto physical_name = GetAttribDesc()->GetProperty("PHYSICAL_NAME");
  if (!physical_name || physical_name->Text().empty()) return kMissingProperty;
  (void)box->BindControl(GetEntityDesc()->GetDataCtrl(), physical_name->Text(), 0);
  return kOk;
}

Status CMaskEd4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a box came of them.
  (void)CMaskEdVisualizer::CreateControls();
  CCtrlGroup* group = GetCtrlGroup();
  if (!group) return kNoItemList;
  CCtrlDesc* box = FindBox(*group, kMaskEdClass);
  if (!box) return kNoMaskEdBox;
  return box->SetClassName(kMaskEd4Class);
}

Status CMaskEd4Visualizer::DoBinding() {
  return BindBox(kMaskEd4Class);
}

}  // namespace tavik
