// Data-bound grid visualizer.
#include "visualizers/db_grid_visualizer.h"

#include <memory>

#include <fmt/format.h>

#include "controls/db_grid_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

std::string DataCtrlName(const CEntityDesc& entity) {
  if (const CDataCtrl* data_ctrl = entity.GetDataCtrl()) return data_ctrl->GetCtrlName();
  return "ds" + entity.GetEntityName();
}

std::string GridName(const CEntityDesc& entity) {
  return "grd" + entity.GetEntityName();
}

// Appends to the first sub-event of an event or procedure.
Status AppendCode(CEventDesc* event, int slot, const CodeText& code) {
  if (!event) return kNoEvent;
  return event->AddSubEventCode(code.str(), 0, slot, CEventDesc::kAtEnd, CEventDesc::kAfter);
}

}  // namespace

Status CDBGridVisualizer::CreateControls() {
  Status status = MakeGrid();
  if (status != kOk) SetGridClassName("");
  return status;
}

Status CDBGridVisualizer::MakeGrid() {
  CEntityDesc* entity = GetEntityDesc();
  CFormDesc* form = entity->GetFormDesc();
  CCtrlGroup* entity_group = entity->GetCtrlGroup();
  if (!entity_group) return kNullArgument;
  auto grid = std::make_unique<CDBGridCtrl>();
  if (Status status = grid->Init(form->GetVersion(), form, this)) return status;
  SetGridClassName(grid->GetClassName());
  auto item = std::make_unique<CCtrlPosItem>(grid.get(), 0, 0.0f, 0.0f);
  item->column = 0;

  const std::string name = GridName(*entity);
  grid->SetCtrlName(name);
  if (Status status = grid->AddProperty(Value::String(name), "Name")) return status;
  grid->SetNumCols(entity->GetAttributeCountValue());
  if (Status status = grid->DoWidthHeight()) return status;

  const std::string data_ctrl = DataCtrlName(*entity);
  grid->SetDataCtrl(entity->GetDataCtrl());
  CClntDesc* client = form->GetClntDesc();
  if (client && client->ops && client->ops->BindLiveGrid) {
    (void)client->ops->BindLiveGrid(client, name.c_str(), data_ctrl.c_str());
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
  if (Status status = AppendCode(grid->GetEvent("Change"), 1, change)) return status;

  grid_ = grid.get();
  if (Status status = entity_group->AddItem(std::move(item))) {
    grid_ = nullptr;
    return status;
  }
  return form->SetCtrl(std::move(grid));
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
  if (heading && !heading->Text().empty()) {
    caption.Line(1, fmt::format("{}.Columns.Item(\"{}\").Caption = \"{}\"", GridName(*entity),
                                physical_name->Text(), heading->Text()));
  }
  if (grid_) grid_->SetCurrColNum(grid_->GetCurrColNum() + 1);
  return AppendCode(timer->GetEvent("Timer"), 2, caption);
}

Status CDBGridVisualizer::RepopulateNode() {
  CEntityDesc* entity = GetEntityDesc();
  CFormDesc* form = entity->GetFormDesc();
  const std::string& name = entity->GetEntityName();
  const std::string data_ctrl = DataCtrlName(*entity);
  CodeText code;
  if (entity->GetParentCount() == 0) {
    code.Line(1, fmt::format("{}.RecordSource = s{}_Select", data_ctrl, name))
        .Line(1, data_ctrl + ".Refresh")
        .Line(1, GridName(*entity) + ".Rebind");
  } else {
    const auto& parent = static_cast<const CEntityDesc&>(*entity->GetParentList().front().entity);
    code.Line(1, fmt::format("{}_DoRefresh {}", name, DataCtrlName(parent)));
  }
  code.Line(1, name + "_SetToScreen");
  return AppendCode(form->GetProcedure(form->GetFormName() + "_Repopulate"), 1, code);
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
                 .Line(1, DataCtrlName(*GetEntityDesc()) + ".Refresh")
                 .Line(1, grid + ".Rebind")
                 .Line(1, grid + ".Enabled = True")
                 .str();
  return kOk;
}

}  // namespace tavik
