// Grid visualizers: making, placing and binding the grid, and the code both kinds share.
#include "visualizers/grid_visualizer.h"

#include "controls/data_ctrl.h"
#include "controls/grid_ctrl.h"
#include "entity/entity_desc.h"
#include "entity/grid_lookups.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"

namespace tavik {

Status CGridVisualizer::CreateControls() {
  Status status = MakeGrid();
  if (status != kOk) SetGridClassName("");
  return status;
}

Status CGridVisualizer::DoBinding() {
  CEntityDesc* entity = GetEntityDesc();
  CCtrlGroup* group = entity->GetCtrlGroup();
  if (!group) return kNullArgument;
  for (const auto& item : group->GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<CCtrlPosItem&>(*item).GetCtrl();
    if (control->GetClassName() == grid_class_name_) {
      return control->BindControl(entity->GetDataCtrl(), "", 0);
    }
  }
  return kNoGrid;
}

std::string CGridVisualizer::GridName(const CEntityDesc& entity) {
  return "grd" + entity.GetEntityName();
}

Status CGridVisualizer::AppendCode(CEventDesc* event, std::string_view code, SubEventSlot slot,
                                   SubEventPlacement position) {
  if (!event) return kNoEvent;
  event->Append(SubEvent::kMain, slot, code, position);
  return kOk;
}

Status CGridVisualizer::NameAndSizeGrid(CGridCtrl& grid) {
  CEntityDesc* entity = GetEntityDesc();
  SetGridClassName(grid.GetClassName());
  const std::string name = GridName(*entity);
  grid.SetCtrlName(name);
  if (Status status = grid.AddProperty(Value::String(name), "Name")) return status;
  const GridLookups* lookups = entity->JoinedLookups();
  grid.SetNumCols(entity->GetAttributeCountValue() +
                  (lookups ? static_cast<std::int32_t>(lookups->NameColumns().size()) : 0));
  return grid.DoWidthHeight();
}

Status CGridVisualizer::PlaceGrid(std::unique_ptr<CGridCtrl> grid) {
  CEntityDesc* entity = GetEntityDesc();
  auto item = std::make_unique<CCtrlPosItem>(grid.get(), 0, 0.0f, 0.0f);
  item->column = 0;
  CCtrlGroup* group = entity->GetCtrlGroup();
  if (!group) return kNullArgument;
  grid_ = grid.get();
  if (Status status = group->AddItem(std::move(item))) {
    grid_ = nullptr;
    return status;
  }
  return entity->GetFormContext()->SetCtrl(std::move(grid));
}

Status CGridVisualizer::AppendRepopulateNode(std::string_view root_refresh) {
  CEntityDesc* entity = GetEntityDesc();
  FormContext* form = entity->GetFormContext();
  const std::string& name = entity->GetEntityName();
  const std::string set_to_screen = FormContext::SetToScreenName(name);
  if (entity->GetParentCount() == 0) {
    return AppendCode(form->RepopulateProcedure(), VbFragment(R"(
        $data$.RecordSource = s$e$_Select
        $root_refresh$
        $set_to_screen$
    )",
                                                              {{"data", entity->DataCtrlName()},
                                                               {"e", name},
                                                               {"root_refresh", root_refresh},
                                                               {"set_to_screen", set_to_screen}}));
  }
  const auto& parent = static_cast<const CEntityDesc&>(*entity->GetParentList().front().entity);
  return AppendCode(form->RepopulateProcedure(), VbFragment(R"(
        $e$_DoRefresh $parent_data$
        $set_to_screen$
    )",
                                                            {{"e", name},
                                                             {"parent_data", parent.DataCtrlName()},
                                                             {"set_to_screen", set_to_screen}}));
}

}  // namespace tavik
