// Spreadsheet grid visualizer.
#include "visualizers/far_point_grid_visualizer.h"

#include <memory>
#include <optional>
#include <string>

#include "controls/data_ctrl.h"
#include "controls/far_point_grid_ctrl.h"
#include "entity/entity_desc.h"
#include "entity/grid_lookups.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"

namespace tavik {

namespace {

constexpr std::int32_t kButtonColumn = 2;

// The name of the first entry of the valid-value list the attribute names by "VLD_LISTID".
// A grid's attributes have no visualizer to name one, so only the model can.
std::optional<std::string> FirstValidValueName(const CAttribDesc& attribute,
                                               const FormContext& form) {
  auto list_id = attribute.GetProperty("VLD_LISTID");
  if (!HasText(list_id)) return std::nullopt;
  const CNxPropertySection* list = form.GetValidValueList(list_id->Text());
  if (!list || list->GetPropertyList().empty()) return std::nullopt;
  return list->GetPropertyList().front().GetName();
}

}  // namespace

Status CFarPointGridVisualizer::MakeGrid() {
  CEntityDesc* entity = GetEntityDesc();
  FormContext* form = entity->GetFormContext();
  if (!entity->GetCtrlGroup()) return kNullArgument;
  auto grid = std::make_unique<CFarPointGridCtrl>();
  if (Status status = grid->Init(form->GetVersion(), form, this)) return status;
  if (Status status = NameAndSizeGrid(*grid)) return status;
  grid->SetCtrlHandle(form->GetCurrCtrlHandle());
  entity->IsGrid(1);

  // An edit in the grid marks the record as edited; a new row is a new record.
  if (Status status =
          AppendCode(grid->GetEvent("Change"), VbFragment(R"(
        b$e$Bind = True
    )",
                                                          {{"e", entity->GetEntityName()}}))) {
    return status;
  }
  CEventDesc* add_new = grid->GetEvent("DataAddNew");
  if (!add_new) return kNoEvent;
  add_new->AddDeclarations(VbFragment(R"(
        Dim nErr As Integer
    )"));
  if (Status status = AppendCode(add_new, VbFragment(R"(
        $data$.Recordset.AddNew
    )",
                                                     {{"data", entity->DataCtrlName()}}))) {
    return status;
  }
  return PlaceGrid(std::move(grid));
}

Status CFarPointGridVisualizer::AddAttribToGrid(CAttribDesc* attribute) {
  if (!attribute || !GetGrid()) return kNullArgument;
  auto physical_name = attribute->GetProperty("PHYSICAL_NAME");
  if (!HasText(physical_name)) return kMissingProperty;
  CEntityDesc* entity = GetEntityDesc();
  FormContext* form = entity->GetFormContext();
  const std::string grid = GridName(*entity);
  const std::int32_t column = GetGrid()->GetCurrColNum();

  const std::string column_text = std::to_string(column);
  std::string code;
  // The grid itself is set up with its first column.
  if (column == 1) {
    code += VbFragment(R"(
        $grid$.MaxCols = $columns$
        $grid$.Row = 0

        $grid$.DAutoSave = True
        $grid$.DAutoSizeCols = SS_AUTOSIZE_MAX_COL_WIDTH
        $grid$.DisplayRowHeaders = False
        $grid$.EditModePermanent = True
        $grid$.EditMOdeReplace = True
        $grid$.MaxRows = -1
        $grid$.ProcessTab = True
        $grid$.VirtualMaxRows = 10000
        $grid$.VirtualMode = True

    )",
                       {{"grid", grid}, {"columns", std::to_string(GetGrid()->GetNumCols())}});
  }
  code += VbFragment(
      R"(
        $grid$.Col = $column$
        $grid$.Action = SS_ACTION_INSERT_COL
        $grid$.DataField = "$field$"

    )",
      {{"grid", grid}, {"column", column_text}, {"field", VbStringText(physical_name->Text())}});
  if (attribute->HasEditStyle(EditStyle::kCheckBox)) {
    code += VbFragment(R"(
        'Set column to show Check Boxes.
        $grid$.Col = $column$
        $grid$.Row = -1
        $grid$.CellType = SS_CELL_TYPE_CHECKBOX
        $grid$.TypeCheckCenter = True
    )",
                       {{"grid", grid}, {"column", column_text}});
    if (auto text = FirstValidValueName(*attribute, *form)) {
      code += VbFragment(R"(
        $grid$.TypeCheckText = "$text$"
    )",
                         {{"grid", grid}, {"text", VbStringText(*text)}});
    }
    entity->HasCustomGridColumns(1);
  }
  // A key the row takes from its master is not typed.
  if (entity->IsKeyFilledFromMaster(*attribute)) {
    code += VbFragment(R"(
        $grid$.Col = $column$
        $grid$.Row = -1
        $grid$.Lock = True
    )",
                       {{"grid", grid}, {"column", column_text}});
  }
  std::int32_t next = column + 1;
  if (const GridLookups* lookups = entity->JoinedLookups()) {
    if (const GridLookups::NameColumn* name = lookups->NameOf(physical_name->Text())) {
      code += NameColumnCode(grid, next++, *name);
    }
  }
  if (Status status =
          AppendCode(form->LoadEvent(), code, SubEventSlot::kBody, SubEventPlacement::kFirst)) {
    return status;
  }
  GetGrid()->SetCurrColNum(next);
  return kOk;
}

// The name shown beside a key: a column of its own, bound to the name the SELECT reads from
// the looked-up table, and locked, since it is the key that the user edits.
std::string CFarPointGridVisualizer::NameColumnCode(const std::string& grid, std::int32_t column,
                                                    const GridLookups::NameColumn& name) {
  return VbFragment(
      R"(
        $grid$.Col = $column$
        $grid$.Action = SS_ACTION_INSERT_COL
        $grid$.DataField = "$field$"
        $grid$.Row = -1
        $grid$.Lock = True

    )",
      {{"grid", grid}, {"column", std::to_string(column)}, {"field", VbStringText(name.alias)}});
}

Status CFarPointGridVisualizer::AddDataNavigationButtons(CCtrlGroup* button_group) {
  if (!button_group) return kNullArgument;
  CEntityDesc* entity = GetEntityDesc();
  FormContext* form = entity->GetFormContext();
  auto button = std::make_unique<CCtrlDesc>();
  if (Status status = button->Init("CommandButton", form->GetVersion(), form, nullptr)) {
    return status;
  }
  const std::string name = "cmd" + entity->GetEntityName() + "Delete";
  button->SetCtrlName(name);
  if (Status status = button->AddProperty(Value::String(name), "Name")) return status;
  auto item = std::make_unique<CCtrlPosItem>(button.get(), 0, 0.0f, 0.0f);
  item->column = kButtonColumn;
  button->AddProperty(Value::Single(400.0f), "Height");
  button->AddProperty(Value::Single(1100.0f), "Width");
  button->AddProperty(Value::String("Delete"), "Caption");
  const std::string code =
      VbFragment(R"(
        tk_fpGridDelete $data$, $grid$
    )",
                 {{"data", entity->DataCtrlName()}, {"grid", GridName(*entity)}});
  if (AppendCode(button->GetEvent("Click"), code, SubEventSlot::kBody, SubEventPlacement::kFirst) !=
      kOk) {
    return kNoEvent;
  }
  button->SetCtrlHandle(form->GetCurrCtrlHandle());
  if (Status status = button_group->AddItem(std::move(item))) return status;
  return form->SetCtrl(std::move(button));
}

Status CFarPointGridVisualizer::RepopulateNode() {
  CEntityDesc* entity = GetEntityDesc();
  return AppendRepopulateNode(
      VbFragment(R"(
        $grid$.Redraw = False
        $data$.Refresh
        $grid$.Redraw = True
    )",
                 {{"grid", GridName(*entity)}, {"data", entity->DataCtrlName()}}));
}

Status CFarPointGridVisualizer::DoParentPreChildRepopulate(std::string& reposition,
                                                           std::string& /*refresh*/,
                                                           CEntityDesc* /*child*/) {
  const std::string grid = GridName(*GetEntityDesc());
  reposition += VbFragment(R"(
            tk_fpShowCurrRow $grid$
    )",
                           {{"grid", grid}});
  if (!GetGrid()) return kOk;
  return AppendCode(GetGrid()->GetEvent("EditMode"), VbFragment(R"(
        If Mode Then
            tk_fpShowCurrRow $grid$
        End If
    )",
                                                                {{"grid", grid}}));
}

Status CFarPointGridVisualizer::DoChildPostChildRepopulate(std::string& /*reposition*/,
                                                           std::string& refresh,
                                                           CEntityDesc* /*parent*/) {
  refresh +=
      VbFragment(R"(
            $grid$.Redraw = False
            tk_fpRefresh $data$,$grid$
            $grid$.Redraw = True
    )",
                 {{"grid", GridName(*GetEntityDesc())}, {"data", GetEntityDesc()->DataCtrlName()}});
  return kOk;
}

}  // namespace tavik
