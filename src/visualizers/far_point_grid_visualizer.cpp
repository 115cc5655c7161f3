// Spreadsheet grid visualizer.
#include "visualizers/far_point_grid_visualizer.h"

#include <memory>
#include <optional>

#include <fmt/format.h>

#include "controls/far_point_grid_ctrl.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

constexpr std::int32_t kButtonColumn = 2;

// The name of the first entry of the attribute's valid-value list. The list is the one the
// controls use; a grid's attributes have no visualizer to name it, so the column's rule and
// then the edit style's stand in.
std::optional<std::string> FirstValidValueName(const CAttribDesc& attribute,
                                               const CFormDesc& form) {
  for (const char* key : {"VLD_LISTID", "COL_VLDLIST", "EST_VLDLIST"}) {
    auto list_id = attribute.GetProperty(key);
    if (!HasText(list_id)) continue;
    const CNxPropertySection* list = form.GetValidValueList(list_id->Text());
    if (!list || list->GetPropertyList().empty()) return std::nullopt;
    return list->GetPropertyList().front()->GetName();
  }
  return std::nullopt;
}

}  // namespace

Status CFarPointGridVisualizer::MakeGrid() {
  CEntityDesc* entity = GetEntityDesc();
  CFormDesc* form = entity->GetFormDesc();
  if (!entity->GetCtrlGroup()) return kNullArgument;
  auto grid = std::make_unique<CFarPointGridCtrl>();
  if (Status status = grid->Init(form->GetVersion(), form, this)) return status;
  if (Status status = NameAndSizeGrid(*grid)) return status;
  grid->SetCtrlHandle(form->GetCurrCtrlHandle());
  entity->IsGrid(1);

  CodeText change;
  change.Line(1, fmt::format("b{}Bind = True", entity->GetEntityName()));
  if (Status status = AppendCode(grid->GetEvent("Change"), change, SubEventSlot::kBody,
                                 SubEventPlacement::kLast)) {
    return status;
  }
  CEventDesc* add_new = grid->GetEvent("DataAddNew");
  if (!add_new) return kNoEvent;
  add_new->AddDeclarations(CodeText().Line(1, "Dim nErr As Integer").str());
  CodeText add;
  add.Line(1, entity->DataCtrlName() + ".Recordset.AddNew");
  if (Status status = AppendCode(add_new, add, SubEventSlot::kBody, SubEventPlacement::kLast))
    return status;
  return PlaceGrid(std::move(grid));
}

Status CFarPointGridVisualizer::AddAttribToGrid(CAttribDesc* attribute) {
  if (!attribute || !GetGrid()) return kNullArgument;
  auto physical_name = attribute->GetProperty("PHYSICAL_NAME");
  if (!HasText(physical_name)) return kMissingProperty;
  CEntityDesc* entity = GetEntityDesc();
  CFormDesc* form = entity->GetFormDesc();
  const std::string grid = GridName(*entity);
  const std::int32_t column = GetGrid()->GetCurrColNum();

  CodeText code;
  if (column == 1) {
    code.Line(1, fmt::format("{}.MaxCols = {}", grid, GetGrid()->GetNumCols()))
        .Line(1, grid + ".Row = 0")
        .Blank()
        .Line(1, grid + ".DAutoSave = True")
        .Line(1, grid + ".DAutoSizeCols = SS_AUTOSIZE_MAX_COL_WIDTH")
        .Line(1, grid + ".DisplayRowHeaders = False")
        .Line(1, grid + ".EditModePermanent = True")
        .Line(1, grid + ".EditMOdeReplace = True")
        .Line(1, grid + ".MaxRows = -1")
        .Line(1, grid + ".ProcessTab = True")
        .Line(1, grid + ".VirtualMaxRows = 10000")
        .Line(1, grid + ".VirtualMode = True")
        .Blank();
  }
  code.Line(1, fmt::format("{}.Col = {}", grid, column))
      .Line(1, grid + ".Action = SS_ACTION_INSERT_COL")
      .Line(1, fmt::format("{}.DataField = \"{}\"", grid, physical_name->Text()))
      .Blank();
  if (attribute->HasEditStyle(EditStyle::kCheckBox)) {
    code.Line(1, "'Set column to show Check Boxes.")
        .Line(1, fmt::format("{}.Col = {}", grid, column))
        .Line(1, grid + ".Row = -1")
        .Line(1, grid + ".CellType = SS_CELL_TYPE_CHECKBOX")
        .Line(1, grid + ".TypeCheckCenter = True");
    if (auto text = FirstValidValueName(*attribute, *form)) {
      code.Line(1, fmt::format("{}.TypeCheckText = \"{}\"", grid, *text));
    }
    entity->HasCustomGridColumns(1);
  }
  if (Status status =
          AppendCode(form->LoadEvent(), code, SubEventSlot::kBody, SubEventPlacement::kFirst)) {
    return status;
  }
  GetGrid()->SetCurrColNum(column + 1);
  return kOk;
}

Status CFarPointGridVisualizer::AddDataNavigationButtons(CCtrlGroup* button_group) {
  if (!button_group) return kNullArgument;
  CEntityDesc* entity = GetEntityDesc();
  CFormDesc* form = entity->GetFormDesc();
  auto button = std::make_unique<CCtrlDesc>();
  if (Status status = button->Init("CommandButton", form->GetVersion(), form, nullptr)) {
    return status;
  }
  const std::string name = "cmd" + entity->GetEntityName() + "Delete";
  button->SetCtrlName(name);
  if (Status status = button->AddProperty(Value::String(name), "Name")) return status;
  auto item = std::make_unique<CCtrlPosItem>(button.get(), 0, 0.0f, 0.0f);
  item->column = kButtonColumn;
  (void)button->AddProperty(Value::Single(400.0f), "Height");
  (void)button->AddProperty(Value::Single(1100.0f), "Width");
  (void)button->AddProperty(Value::String("Delete"), "Caption");
  CodeText code;
  code.Line(1, fmt::format("tk_fpGridDelete {}, {}", entity->DataCtrlName(), GridName(*entity)));
  if (AppendCode(button->GetEvent("Click"), code, SubEventSlot::kBody, SubEventPlacement::kFirst) !=
      kOk)
    return kNoEvent;
  button->SetCtrlHandle(form->GetCurrCtrlHandle());
  if (Status status = button_group->AddItem(std::move(item))) return status;
  return form->SetCtrl(std::move(button));
}

Status CFarPointGridVisualizer::RepopulateNode() {
  CEntityDesc* entity = GetEntityDesc();
  const std::string grid = GridName(*entity);
  return AppendRepopulateNode(CodeText()
                                  .Line(1, grid + ".Redraw = False")
                                  .Line(1, entity->DataCtrlName() + ".Refresh")
                                  .Line(1, grid + ".Redraw = True"));
}

Status CFarPointGridVisualizer::DoParentPreChildRepopulate(std::string& reposition,
                                                           std::string& /*refresh*/,
                                                           CEntityDesc* /*child*/) {
  const std::string show_row = "tk_fpShowCurrRow " + GridName(*GetEntityDesc());
  reposition += CodeText().Line(2, show_row).str();
  if (!GetGrid()) return kOk;
  CodeText edit_mode;
  edit_mode.Line(1, "If Mode Then").Line(2, show_row).Line(1, "End If");
  return AppendCode(GetGrid()->GetEvent("EditMode"), edit_mode, SubEventSlot::kBody,
                    SubEventPlacement::kLast);
}

Status CFarPointGridVisualizer::DoChildPostChildRepopulate(std::string& /*reposition*/,
                                                           std::string& refresh,
                                                           CEntityDesc* /*parent*/) {
  const std::string grid = GridName(*GetEntityDesc());
  refresh += CodeText()
                 .Line(2, grid + ".Redraw = False")
                 .Line(2, fmt::format("tk_fpRefresh {},{}", GetEntityDesc()->DataCtrlName(), grid))
                 .Line(2, grid + ".Redraw = True")
                 .str();
  return kOk;
}

}  // namespace tavik
