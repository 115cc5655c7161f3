// Picture box visualizer, and the steps of every display-control visualizer.
#include "visualizers/pict_visualizer.h"

#include <string>

#include "controls/pict_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

constexpr std::int32_t kControlColumn = 1;
// Statuses of a group without items to search, and of a group without the control.
constexpr Status kNoItemList = 4;
constexpr Status kNoControl = 5;

}  // namespace

Status AddDisplayControl(CAttribVisualizer& visualizer, std::unique_ptr<CCtrlDesc> control,
                         std::string_view prefix, bool takes_tab_index) {
  CFormDesc* form = visualizer.GetFormDesc();
  auto item = std::make_unique<CCtrlPosItem>(control.get(), 0, 0.0f, 0.0f);
  item->column = kControlColumn;

  std::string name = std::string(prefix) + visualizer.GetCtrlBaseName();
  control->SetCtrlName(name);
  if (Status status = control->AddProperty(Value::String(name), "Name")) return status;
  control->SetDataCtrl(visualizer.GetEntityDesc()->GetDataCtrl());
  (void)control->HandleProperties();

  auto label_text = visualizer.GetAttribDesc()->GetTvkProperty(format_ids::kColProp, "CD_PLB");
  if (label_text && !label_text->Text().empty()) {
    if (Status status = visualizer.CreateLabel()) return status;
  }

  control->SetCtrlHandle(form->GetCurrCtrlHandle());
  if (takes_tab_index) {
    (void)control->AddProperty(Value::Short(static_cast<std::int16_t>(form->GetCurrTabIndex())),
                               "TabIndex");
  }
  control->SetDrawFlag(1);
  if (Status status = visualizer.GetCtrlGroup()->AddItem(std::move(item))) return status;
  return form->SetCtrl(std::move(control));
}

CCtrlDesc* FindDisplayControl(const CCtrlGroup* group, std::string_view class_name) {
  if (!group) return nullptr;
  for (const auto& item : group->GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    if (control && control->GetClassName() == class_name) return control;
  }
  return nullptr;
}

Status BindDisplayControl(CAttribVisualizer& visualizer, std::string_view class_name) {
  CCtrlGroup* group = visualizer.GetCtrlGroup();
  if (!group) return kNoItemList;
  CCtrlDesc* control = FindDisplayControl(group, class_name);
  if (!control) return kNoControl;
  auto physical_name = visualizer.GetAttribDesc()->GetProperty("PHYSICAL_NAME");
  if (!physical_name || physical_name->Text().empty()) return kMissingProperty;
  (void)control->BindControl(visualizer.GetEntityDesc()->GetDataCtrl(), physical_name->Text(), 0);
  return kOk;
}

Status CPictVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  CFormDesc* form = GetFormDesc();
  auto control = std::make_unique<CPictCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  return AddDisplayControl(*this, std::move(control), "pic", true);
}

Status CPictVisualizer::DoBinding() {
  return BindDisplayControl(*this, "PictureBox");
}

}  // namespace tavik
