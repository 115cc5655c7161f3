// Text visualizers.
#include "visualizers/text_visualizer.h"

#include <memory>
#include <string>

#include "controls/text_box_ctrl.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

constexpr const char* kTextBoxClass = "TextBox";
constexpr std::int32_t kControlColumn = 1;
// Statuses of a group without items to search, and of a group without a text box.
constexpr Status kNoItemList = 4;
constexpr Status kNoTextBox = 5;

// The first text box of the group, in item order.
CCtrlDesc* FindTextBox(const CCtrlGroup& group) {
  for (const auto& item : group.GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    if (control && control->GetClassName() == kTextBoxClass) return control;
  }
  return nullptr;
}

}  // namespace

Status CTextVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  CFormDesc* form = GetFormDesc();
  auto control = std::make_unique<CTextBoxCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  auto item = std::make_unique<CCtrlPosItem>(control.get(), 0, 0.0f, 0.0f);
  item->column = kControlColumn;

  std::string name = "tbx" + GetCtrlBaseName();
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

Status CText4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a text box came of them.
  (void)CTextVisualizer::CreateControls();
  CCtrlGroup* group = GetCtrlGroup();
  if (!group) return kNoItemList;
  return FindTextBox(*group) ? kOk : kNoTextBox;
}

Status CTextVisualizer::DoBinding() {
  CCtrlGroup* group = GetCtrlGroup();
  if (!group) return kNoItemList;
  CCtrlDesc* text_box = FindTextBox(*group);
  if (!text_box) return kNoTextBox;
  auto physical_name = GetAttribDesc()->GetProperty("PHYSICAL_NAME");
  if (!physical_name || physical_name->Text().empty()) return kMissingProperty;
  (void)text_box->BindControl(GetEntityDesc()->GetDataCtrl(), physical_name->Text(), 0);
  return kOk;
}

}  // namespace tavik
