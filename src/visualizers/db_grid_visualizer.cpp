// Data-bound grid visualizer.
#include "visualizers/db_grid_visualizer.h"

#include <memory>

#include "controls/data_ctrl.h"
#include "controls/db_grid_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/entity_desc.h"
#include "entity/grid_lookups.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"

namespace tavik {

Status CDBGridVisualizer::MakeGrid() {
  CEntityDesc* entity = GetEntityDesc();
  FormContext* form = entity->GetFormContext();
  if (!entity->GetCtrlGroup()) return kNullArgument;
  auto grid = std::make_unique<CDBGridCtrl>();
  if (Status status = grid->Init(form->GetVersion(), form, this)) return status;
  if (Status status = NameAndSizeGrid(*grid)) return status;

  const std::string data_ctrl = entity->DataCtrlName();
  grid->SetDataCtrl(entity->GetDataCtrl());
  CClntDesc* client = form->GetClntDesc();
  if (client && client->ops && client->ops->BindLiveGrid) {
    // The client refuses only names it is not given; the grid is bound by its DataSource too.
    (void)client->ops->BindLiveGrid(client, grid->GetCtrlName().c_str(), data_ctrl.c_str());
  }
  grid->SetCtrlHandle(form->GetCurrCtrlHandle());
  entity->IsGrid(1);

  for (const char* allowed : {"AllowAddNew", "AllowUpdate", "AllowRowSizing", "AllowDelete"}) {
    if (Status status = grid->AddProperty(Value::Short(-1), allowed)) return status;
  }
  if (Status status = grid->AddProperty(Value::Short(0), "DataMode")) return status;

  // An edit in the grid marks the record as edited.
  if (Status status =
          AppendCode(grid->GetEvent("Change"),
                     VbFragment(R"(
        b$e$Bind = True
        tk_SetEditMode $data$
    )",
                                {{"e", entity->GetEntityName()}, {"data", data_ctrl}}))) {
    return status;
  }
  return PlaceGrid(std::move(grid));
}

Status CDBGridVisualizer::AddAttribToGrid(CAttribDesc* attribute) {
  if (!attribute) return kNullArgument;
  auto physical_name = attribute->GetProperty("PHYSICAL_NAME");
  if (!physical_name) return kMissingProperty;
  CEntityDesc* entity = GetEntityDesc();
  CTimerCtrl* timer = entity->GetFormContext()->GetTimerCtrl();
  if (!timer) return kNoEvent;
  // Without a heading the timer still gets its (empty) piece of code.
  std::string caption;
  auto heading = attribute->GetTvkProperty(format_ids::kColProp, "CD_PHD");
  if (HasText(heading)) {
    caption = VbFragment(R"(
        $grid$.Columns.Item("$column$").Caption = "$heading$"
    )",
                         {{"grid", GridName(*entity)},
                          {"column", VbStringText(physical_name->Text())},
                          {"heading", VbStringText(heading->Text())}});
  }
  // A key the row takes from its master is not typed.
  if (entity->IsKeyFilledFromMaster(*attribute)) {
    caption +=
        VbFragment(R"(
        $grid$.Columns.Item("$column$").Locked = True
    )",
                   {{"grid", GridName(*entity)}, {"column", VbStringText(physical_name->Text())}});
  }
  if (CGridCtrl* grid = GetGrid()) grid->SetCurrColNum(grid->GetCurrColNum() + 1);
  return AppendCode(timer->GetEvent("Timer"), caption, SubEventSlot::kTail);
}

// The grid makes its columns again from the recordset each time it is bound again, so the
// name columns are locked and headed after every Rebind.
std::string CDBGridVisualizer::NameColumnsCode() const {
  const CEntityDesc& entity = *GetEntityDesc();
  const GridLookups* lookups = entity.JoinedLookups();
  if (!lookups) return {};
  std::string code;
  for (const GridLookups::NameColumn& name : lookups->NameColumns()) {
    code += VbFragment(R"(
        $grid$.Columns.Item("$column$").Locked = True
        $grid$.Columns.Item("$column$").Caption = "$heading$"
    )",
                       {{"grid", GridName(entity)},
                        {"column", VbStringText(name.alias)},
                        {"heading", VbStringText(name.heading)}});
  }
  return code;
}

Status CDBGridVisualizer::RepopulateNode() {
  CEntityDesc* entity = GetEntityDesc();
  return AppendRepopulateNode(
      VbFragment(R"(
        $data$.Refresh
        $grid$.Rebind
    )",
                 {{"data", entity->DataCtrlName()}, {"grid", GridName(*entity)}}) +
      NameColumnsCode());
}

Status CDBGridVisualizer::DoChildPreChildRepopulate(std::string& /*reposition*/,
                                                    std::string& refresh, CEntityDesc* /*parent*/) {
  refresh += VbFragment(R"(
        $grid$.Enabled = False
    )",
                        {{"grid", GridName(*GetEntityDesc())}});
  return kOk;
}

Status CDBGridVisualizer::DoChildPostChildRepopulate(std::string& /*reposition*/,
                                                     std::string& refresh,
                                                     CEntityDesc* /*parent*/) {
  const std::string grid = GridName(*GetEntityDesc());
  refresh += VbFragment(R"(
        $data$.Refresh
        $grid$.Rebind
    )",
                        {{"data", GetEntityDesc()->DataCtrlName()}, {"grid", grid}}) +
             NameColumnsCode() +
             VbFragment(R"(
        $grid$.Enabled = True
    )",
                        {{"grid", grid}});
  return kOk;
}

}  // namespace tavik
