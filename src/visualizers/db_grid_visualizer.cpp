// Data-bound grid visualizer.
#include "visualizers/db_grid_visualizer.h"

#include <memory>

#include <fmt/format.h>

#include "controls/db_grid_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/form_desc.h"

namespace tavik {

Status CDBGridVisualizer::MakeGrid() {
  CEntityDesc* entity = GetEntityDesc();
  CFormDesc* form = entity->GetFormDesc();
  if (!entity->GetCtrlGroup()) return kNullArgument;
  auto grid = std::make_unique<CDBGridCtrl>();
  if (Status status = grid->Init(form->GetVersion(), form, this)) return status;
  if (Status status = NameAndSizeGrid(*grid)) return status;

  const std::string data_ctrl = entity->DataCtrlName();
  grid->SetDataCtrl(entity->GetDataCtrl());
  CClntDesc* client = form->GetClntDesc();
  if (client && client->ops && client->ops->BindLiveGrid) {
    (void)client->ops->BindLiveGrid(client, grid->GetCtrlName().c_str(), data_ctrl.c_str());
  }
  grid->SetCtrlHandle(form->GetCurrCtrlHandle());
  entity->IsGrid(1);

  for (const char* allowed : {"AllowAddNew", "AllowUpdate", "AllowRowSizing", "AllowDelete"}) {
    if (Status status = grid->AddProperty(Value::Short(-1), allowed)) return status;
  }
  if (Status status = grid->AddProperty(Value::Short(0), "DataMode")) return status;

  CodeText change;
  change.Line(1, fmt::format("b{}Bind = True", entity->GetEntityName()))
      .Line(1, "tk_SetEditMode " + data_ctrl);
  if (Status status = AppendCode(grid->GetEvent("Change"), change, SubEventSlot::kBody,
                                 SubEventPlacement::kLast)) {
    return status;
  }
  return PlaceGrid(std::move(grid));
}

Status CDBGridVisualizer::AddAttribToGrid(CAttribDesc* attribute) {
  if (!attribute) return kNullArgument;
  auto physical_name = attribute->GetProperty("PHYSICAL_NAME");
  if (!physical_name) return kMissingProperty;
  CEntityDesc* entity = GetEntityDesc();
  CTimerCtrl* timer = entity->GetFormDesc()->GetTimerCtrl();
  if (!timer) return kNoEvent;
  // Without a heading the timer still gets its (empty) piece of code.
  CodeText caption;
  auto heading = attribute->GetTvkProperty(format_ids::kColProp, "CD_PHD");
  if (HasText(heading)) {
    caption.Line(1, fmt::format("{}.Columns.Item(\"{}\").Caption = \"{}\"", GridName(*entity),
                                physical_name->Text(), heading->Text()));
  }
  if (CGridCtrl* grid = GetGrid()) grid->SetCurrColNum(grid->GetCurrColNum() + 1);
  return AppendCode(timer->GetEvent("Timer"), caption, SubEventSlot::kTail,
                    SubEventPlacement::kLast);
}

Status CDBGridVisualizer::RepopulateNode() {
  CEntityDesc* entity = GetEntityDesc();
  return AppendRepopulateNode(CodeText()
                                  .Line(1, entity->DataCtrlName() + ".Refresh")
                                  .Line(1, GridName(*entity) + ".Rebind"));
}

Status CDBGridVisualizer::DoChildPreChildRepopulate(std::string& /*reposition*/,
                                                    std::string& refresh, CEntityDesc* /*parent*/) {
  refresh += CodeText().Line(1, GridName(*GetEntityDesc()) + ".Enabled = False").str();
  return kOk;
}

Status CDBGridVisualizer::DoChildPostChildRepopulate(std::string& /*reposition*/,
                                                     std::string& refresh,
                                                     CEntityDesc* /*parent*/) {
  const std::string grid = GridName(*GetEntityDesc());
  refresh += CodeText()
                 .Line(1, GetEntityDesc()->DataCtrlName() + ".Refresh")
                 .Line(1, grid + ".Rebind")
                 .Line(1, grid + ".Enabled = True")
                 .str();
  return kOk;
}

}  // namespace tavik
