// The visualizer base: its group, invisibility and the validation-list choice.
#include "visualizers/visualizer.h"

#include "controls/ctrl_desc.h"
#include "entity/attrib_desc.h"
#include "form/ctrl_pos_item.h"

namespace tavik {

Status CVisualizer::Init(std::int32_t kind, void* object) {
  if (!object) return kNullArgument;
  owned_group_ = std::make_unique<CCtrlGroup>(3, 0.0f, 0.0f);
  owned_group_->column = 0;
  group_ = owned_group_.get();
  model_object_ = object;
  kind_ = kind;
  return kOk;
}

Status CVisualizer::DestroyCtrlGroup() {
  owned_group_.reset();
  group_ = nullptr;
  return kOk;
}

Status CVisualizer::MakeInvisible(CCtrlGroup* group) {
  if (!group) return kOk;
  for (const auto& item : group->GetItems()) {
    if (item->GetType() == CPosListItem::kGroupItem) {
      (void)MakeInvisible(static_cast<CCtrlGroup*>(item.get()));  // answers kOk always
      continue;
    }
    CCtrlDesc* control = static_cast<CCtrlPosItem&>(*item).GetCtrl();
    control->AddProperty(Value::Short(0), "Visible");
    for (auto& child : control->GetGroupList()) {
      child.child->AddProperty(Value::Short(0), "Visible");
    }
  }
  return kOk;
}

namespace {
// The lists an attribute's values may come from, asked of every attribute shown, and the
// property that names the one taken.
constinit SharedPropertyName kColumnList{"COL_VLDLIST"};
constinit SharedPropertyName kStyleList{"EST_VLDLIST"};
constinit SharedPropertyName kListId{"VLD_LISTID"};
}  // namespace

Status CVisualizer::DetermineValidationList() {
  CAttribDesc* attribute = GetAttribDesc();
  if (!attribute) return kOk;
  for (const SharedPropertyName* key : {&kColumnList, &kStyleList}) {
    // Read in place: an empty value, which a variant copy cannot carry, counts as none.
    const Value* list = attribute->FindPropertyOfShared(key->Shared());
    if (list && !list->IsEmpty() && list->HasText()) {
      attribute->AddProperty(Value(*list), &kListId.Shared());
      break;
    }
  }
  return kOk;
}

}  // namespace tavik
