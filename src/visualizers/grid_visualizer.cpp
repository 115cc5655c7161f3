// Grid visualizers: binding the grid to the entity's data control.
#include "visualizers/grid_visualizer.h"

#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"

namespace tavik {

Status CGridVisualizer::DoBinding() {
  CEntityDesc* entity = GetEntityDesc();
  CCtrlGroup* group = entity->GetCtrlGroup();
  if (!group) return kNullArgument;
  for (const auto& item : group->GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<CCtrlPosItem&>(*item).GetCtrl();
    if (control->GetClassName() == grid_class_name_) {
      return control->BindControl(entity->GetDataCtrl(), "", 0) == kOk ? kOk : kOk;
    }
  }
  return 5;
}

}  // namespace tavik
