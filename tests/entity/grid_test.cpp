// Tests of entities shown as grids: the grid control, its columns, buttons and the
// master/detail code around grids, for both Visual Basic versions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/db_grid_ctrl.h"
#include "controls/far_point_grid_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "fakes/model_form.h"
#include "fakes/model_text.h"
#include "fakes/scoped_fakes.h"
#include "form/form_desc.h"
#include "visualizers/db_grid_visualizer.h"
#include "visualizers/far_point_grid_visualizer.h"
#include "visualizers/visualizer_allocators.h"

namespace tavik {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// The library's allocators with the grid visualizers of edit style 3 wired in.
template <bool kVersion4>
std::uint32_t AllocateWithGrids(std::int32_t edit_style, void* object) {
  if (edit_style != 3 || !object) {
    return kVersion4 ? AllocateVB4Visualizer(edit_style, object)
                     : AllocateVB3Visualizer(edit_style, object);
  }
  auto* entity = static_cast<CEntityDesc*>(object);
  auto style = entity->GetProperty("DISPLAY_STYLE");
  if (!style || style->Text().empty()) return kMissingProperty;
  if (style->Text() != "GRID") return kOk;
  std::unique_ptr<CGridVisualizer> grid;
  if (kVersion4) {
    grid = std::make_unique<CDBGridVisualizer>();
  } else {
    grid = std::make_unique<CFarPointGridVisualizer>();
  }
  Status status = grid->Init(entity);
  entity->SetGridVisualizer(std::move(grid));
  return status;
}

// An attribute with its edit style and further control properties; a migrated key names its
// relation; groups adds further property groups.
std::string Attribute(int id, std::string_view column, std::string_view edit_style = "4",
                      std::string_view extra = "", int relation = 0, std::string_view groups = "") {
  return testing::AttributeText(
      id, column, testing::KeyNames(column, column, relation),
      testing::Group("COL_PROP", R"("CD_TYP": "INTEGER", "CD_NAM": ")" + std::string(column) +
                                     "\"" + std::string(extra)) +
          testing::Group("CP_EST", R"("ES_TYP": )" + std::string(edit_style)) +
          std::string(groups));
}

std::string Entity(int id, std::string_view name, std::string_view style,
                   const std::vector<std::string>& attributes) {
  return testing::EntityText(id, name, style, testing::JsonList(attributes));
}

std::string Relation(int id, int parent, int child) {
  return testing::RelationText(id, parent, child, "101");
}

// Grid and data control names the live client was told.
std::vector<std::string> live_grid_calls;
std::int32_t RecordLiveGrid(CClntDesc*, const char* grid, const char* data_control) {
  live_grid_calls.push_back(std::string(grid) + " <- " + data_control);
  return 0;
}

class GridTest : public ::testing::Test {
 protected:
  GridTest() { live_grid_calls.clear(); }

  // Reads the model for a client of that version and generates the form's entities and
  // their cross-entity code.
  void Generate(std::uint16_t version, const std::vector<std::string>& entities,
                const std::string& relations = "") {
    model_ = std::make_unique<testing::ModelForm>(
        testing::ModelText(testing::JsonList(entities), relations), version,
        version == 4 ? AllocateWithGrids<true> : AllocateWithGrids<false>);
    ASSERT_EQ(model_->read_status(), kOk);
    ops_.BindLiveGrid = RecordLiveGrid;
    model_->client().ops = &ops_;
    ASSERT_EQ(model_->Generate(), kOk);
  }

  CFormDesc& form() { return model_->form(); }
  CEntityDesc& Get(std::string_view name) {
    for (auto& record : form().GetEntityMap()) {
      if (record.entity->GetEntityName() == name) return static_cast<CEntityDesc&>(*record.entity);
    }
    ADD_FAILURE() << "no entity " << name;
    return static_cast<CEntityDesc&>(*form().GetEntityMap().front().entity);
  }
  CCtrlDesc* Control(std::string_view name) {
    for (auto& [handle, control] : form().GetCtrlMap()) {
      if (control->GetCtrlName() == name) return control.get();
    }
    return nullptr;
  }
  std::string Text(std::string_view control_name) {
    std::string text;
    if (CCtrlDesc* control = Control(control_name)) (void)control->WriteCtrlToFile(text, 1);
    return text;
  }
  static std::string Piece(CEventDesc* event, std::int32_t id, int slot = 1) {
    const std::string* piece = event ? event->GetSubEventCode(id, slot) : nullptr;
    return piece ? *piece : "(none)";
  }
  CEventDesc* Event(std::string_view control, std::string_view event) {
    CCtrlDesc* found = Control(control);
    return found ? found->GetEvent(event) : nullptr;
  }
  std::string Repopulate() { return Piece(form().GetProcedure("Test_Repopulate"), 0); }
  std::string Refresh(std::string_view child) {
    return Piece(form().GetProcedure(std::string(child) + "_DoRefresh"), 0);
  }

  testing::ScopedFakes fakes_;
  CClntDescOps ops_{};
  std::unique_ptr<testing::ModelForm> model_;
};

TEST_F(GridTest, Version4GridIsFedByTheDataControlAndHeadsItsColumnsFromTheTimer) {
  Generate(4,
           {Entity(1, "ORDERS", "GRID",
                   {Attribute(1, "ORDER_ID", "4", R"(, "CD_PHD": "Order")"), Attribute(2, "PLACED"),
                    Attribute(3, "TOTAL", "5", R"(, "CD_PHD": "Sum")")})});
  CEntityDesc& orders = Get("ORDERS");
  EXPECT_EQ(orders.IsGrid(), 1);
  EXPECT_EQ(Text("grdORDERS"),
            "\tBegin MSDBGrid.DBGrid grdORDERS\r\n"
            "\t\tName                =    \"grdORDERS\"\r\n"
            "\t\tWidth               =    5070\r\n"
            "\t\tHeight              =    1250\r\n"
            "\t\tAllowAddNew         =    -1\r\n"
            "\t\tAllowUpdate         =    -1\r\n"
            "\t\tAllowRowSizing      =    -1\r\n"
            "\t\tAllowDelete         =    -1\r\n"
            "\t\tDataMode            =    0\r\n"
            "\t\tDataSource          =    \"dsORDERS\"\r\n");
  EXPECT_EQ(live_grid_calls, std::vector<std::string>{"grdORDERS <- dsORDERS"});
  EXPECT_EQ(Piece(Event("grdORDERS", "Change"), 0),
            "\tbORDERSBind = True\r\n\ttk_SetEditMode dsORDERS\r\n");
  EXPECT_EQ(Piece(form().GetTimerCtrl()->GetEvent("Timer"), 0, 2),
            "\tgrdORDERS.Columns.Item(\"ORDER_ID\").Caption = \"Order\"\r\n"
            "\tgrdORDERS.Columns.Item(\"TOTAL\").Caption = \"Sum\"\r\n");
  // The grid adds, updates and deletes itself: no buttons, no controls per attribute.
  EXPECT_TRUE(orders.GetButtonCtrlGroup()->GetItems().empty());
  EXPECT_EQ(Control("tbxE1ORDER_ID"), nullptr);
  EXPECT_EQ(Repopulate(),
            "\tdsORDERS.RecordSource = sORDERS_Select\r\n"
            "\tdsORDERS.Refresh\r\n"
            "\tgrdORDERS.Rebind\r\n"
            "\tORDERS_SetToScreen\r\n");
}

TEST_F(GridTest, Version3GridSetsUpItsColumnsWhenTheFormLoads) {
  std::string yes_no =
      R"(, "COL_VLD_RULE": {"NAME": "Yes No"}, "COL_VLD_VALUE": [["Yes", "Y"], ["No", "N"]])";
  Generate(3, {Entity(1, "ORDERS", "GRID",
                      {Attribute(1, "ORDER_ID"),
                       Attribute(2, "PAID", "0", R"(, "CD_PTR": 1)", 0, yes_no),
                       Attribute(3, "SHIPPED", "0")})});
  CEntityDesc& orders = Get("ORDERS");
  EXPECT_EQ(Text("grdORDERS"),
            "\tBegin SpreadSheet grdORDERS\r\n"
            "\t\tName                =    \"grdORDERS\"\r\n"
            "\t\tWidth               =    5070\r\n"
            "\t\tHeight              =    1250\r\n"
            "\t\tDataSource          =    \"dsORDERS\"\r\n");
  EXPECT_TRUE(live_grid_calls.empty());
  // Set-up once, a column per attribute, check-box cells for edit style 0 (with the text of
  // the list's first entry when the attribute has a list); the entity's own load code follows.
  EXPECT_THAT(Piece(form().GetEvent("Load"), 0),
              StartsWith("\tgrdORDERS.MaxCols = 3\r\n"
                         "\tgrdORDERS.Row = 0\r\n\r\n"
                         "\tgrdORDERS.DAutoSave = True\r\n"
                         "\tgrdORDERS.DAutoSizeCols = SS_AUTOSIZE_MAX_COL_WIDTH\r\n"
                         "\tgrdORDERS.DisplayRowHeaders = False\r\n"
                         "\tgrdORDERS.EditModePermanent = True\r\n"
                         "\tgrdORDERS.EditMOdeReplace = True\r\n"
                         "\tgrdORDERS.MaxRows = -1\r\n"
                         "\tgrdORDERS.ProcessTab = True\r\n"
                         "\tgrdORDERS.VirtualMaxRows = 10000\r\n"
                         "\tgrdORDERS.VirtualMode = True\r\n\r\n"
                         "\tgrdORDERS.Col = 1\r\n"
                         "\tgrdORDERS.Action = SS_ACTION_INSERT_COL\r\n"
                         "\tgrdORDERS.DataField = \"ORDER_ID\"\r\n\r\n"
                         "\tgrdORDERS.Col = 2\r\n"
                         "\tgrdORDERS.Action = SS_ACTION_INSERT_COL\r\n"
                         "\tgrdORDERS.DataField = \"PAID\"\r\n\r\n"
                         "\t'Set column to show Check Boxes.\r\n"
                         "\tgrdORDERS.Col = 2\r\n"
                         "\tgrdORDERS.Row = -1\r\n"
                         "\tgrdORDERS.CellType = SS_CELL_TYPE_CHECKBOX\r\n"
                         "\tgrdORDERS.TypeCheckCenter = True\r\n"
                         "\tgrdORDERS.TypeCheckText = \"Yes\"\r\n"
                         "\tgrdORDERS.Col = 3\r\n"
                         "\tgrdORDERS.Action = SS_ACTION_INSERT_COL\r\n"
                         "\tgrdORDERS.DataField = \"SHIPPED\"\r\n\r\n"
                         "\t'Set column to show Check Boxes.\r\n"
                         "\tgrdORDERS.Col = 3\r\n"
                         "\tgrdORDERS.Row = -1\r\n"
                         "\tgrdORDERS.CellType = SS_CELL_TYPE_CHECKBOX\r\n"
                         "\tgrdORDERS.TypeCheckCenter = True\r\n"
                         "\tdsORDERS.Connect = tvkDBConn.Connect\r\n"));
  EXPECT_EQ(orders.HasCustomGridColumns(), 1);

  CEventDesc* change = Event("grdORDERS", "Change");
  EXPECT_EQ(change->GetParameters().value_or(""), "Row As Long, Col As Long");
  EXPECT_EQ(Piece(change, 0), "\tbORDERSBind = True\r\n");
  CEventDesc* add_new = Event("grdORDERS", "DataAddNew");
  EXPECT_EQ(add_new->GetDeclarations().value_or(""), "\tDim nErr As Integer\r\n");
  EXPECT_EQ(Piece(add_new, 0), "\tdsORDERS.Recordset.AddNew\r\n");

  // One Delete button and no New button, so no key migration.
  EXPECT_EQ(Text("cmdORDERSDelete"),
            "\tBegin CommandButton cmdORDERSDelete\r\n"
            "\t\tName                =    \"cmdORDERSDelete\"\r\n"
            "\t\tHeight              =    400\r\n"
            "\t\tWidth               =    1100\r\n"
            "\t\tCaption             =    \"Delete\"\r\n");
  EXPECT_EQ(Piece(Event("cmdORDERSDelete", "Click"), 0),
            "\ttk_fpGridDelete dsORDERS, grdORDERS\r\n");
  EXPECT_EQ(orders.GetButtonCtrlGroup()->GetItems().size(), 1u);
  EXPECT_EQ(orders.GetButton("New"), nullptr);
  EXPECT_EQ(Repopulate(),
            "\tdsORDERS.RecordSource = sORDERS_Select\r\n"
            "\tgrdORDERS.Redraw = False\r\n"
            "\tdsORDERS.Refresh\r\n"
            "\tgrdORDERS.Redraw = True\r\n"
            "\tORDERS_SetToScreen\r\n");
}

TEST_F(GridTest, OnlyTheExactDisplayStyleMakesAGrid) {
  Generate(3, {Entity(1, "ORDERS", "Grid", {Attribute(1, "ORDER_ID")})});
  CEntityDesc& orders = Get("ORDERS");
  EXPECT_EQ(orders.IsGrid(), 0);
  EXPECT_EQ(orders.GetGridVisualizer(), nullptr);
  EXPECT_EQ(Control("grdORDERS"), nullptr);
  EXPECT_NE(Control("tbxE1ORDER_ID"), nullptr);
  EXPECT_NE(orders.GetButton("New"), nullptr);
}

TEST_F(GridTest, AColumnWithoutPhysicalNameIsLeftOutAndKeepsItsNumber) {
  Generate(3, {Entity(1, "ORDERS", "GRID", {Attribute(1, "ORDER_ID")})});
  auto* grid = static_cast<CFarPointGridVisualizer*>(Get("ORDERS").GetGridVisualizer());
  CEventDesc* load = form().GetEvent("Load");
  const std::string before = Piece(load, 0);
  CAttribDesc unnamed;
  EXPECT_EQ(grid->AddAttribToGrid(&unnamed), kMissingProperty);
  EXPECT_EQ(Piece(load, 0), before);
  EXPECT_EQ(grid->GetGridCtrl()->GetCurrColNum(), 2);
}

// Both grid controls size and refuse alike.
template <typename Grid>
void CheckGridControl(CFormDesc& form, std::uint16_t version) {
  Grid unready;
  EXPECT_EQ(unready.Init(0, &form, nullptr), 4u);
  EXPECT_EQ(unready.Init(version, nullptr, nullptr), 5u);
  Grid grid;
  ASSERT_EQ(grid.Init(version, &form, nullptr), kOk);
  EXPECT_EQ(grid.GetCurrColNum(), 1);
  EXPECT_EQ(grid.IsFocusCtrl(), 1);
  for (auto [columns, width] :
       {std::pair{0, "750"}, std::pair{5, "7950"}, std::pair{6, "8470"}, std::pair{7, "8470"}}) {
    grid.SetNumCols(columns);
    ASSERT_EQ(grid.DoWidthHeight(), kOk);
    EXPECT_EQ(grid.GetProperty("Width")->Text(), width) << columns << " columns";
    EXPECT_EQ(grid.GetProperty("Height")->Text(), "1250");
  }
}

TEST_F(GridTest, GridsAreAsWideAsTheirColumnsUpToALimit) {
  Generate(4, {Entity(1, "ORDERS", "GRID", {Attribute(1, "ORDER_ID")})});
  CheckGridControl<CDBGridCtrl>(form(), 4);
  CheckGridControl<CFarPointGridCtrl>(form(), 3);
}

TEST_F(GridTest, Version3GridParentShowsItsRowBeforeEachChildFollows) {
  // CUSTOMER is a grid with a field child (ORDERS) and a grid child (NOTES).
  Generate(3,
           {Entity(1, "CUSTOMER", "GRID", {Attribute(101, "CUST_ID")}),
            Entity(2, "ORDERS", "FIELDS",
                   {Attribute(201, "ORDER_ID"), Attribute(101, "CUST_ID", "4", "", 1)}),
            Entity(3, "NOTES", "GRID",
                   {Attribute(301, "NOTE_ID"), Attribute(101, "CUST_ID", "4", "", 2)})},
           Relation(1, 1, 2) + "," + Relation(2, 1, 3));
  EXPECT_EQ(Piece(Get("CUSTOMER").GetDataCtrl()->GetEvent("Reposition"), 2),
            "\t\tScreen.MousePointer = HOURGLASS\r\n"
            "\t\ttk_fpShowCurrRow grdCUSTOMER\r\n"
            "\t\tSet ds = dsORDERS\r\n"
            "\t\tORDERS_DoRefresh dsCUSTOMER\r\n"
            "\t\ttk_fpShowCurrRow grdCUSTOMER\r\n"
            "\t\tSet ds = dsNOTES\r\n"
            "\t\tNOTES_DoRefresh dsCUSTOMER\r\n"
            "\t\tScreen.MousePointer = ARROW\r\n");
  CEventDesc* edit_mode = Event("grdCUSTOMER", "EditMode");
  EXPECT_EQ(edit_mode->GetParameters().value_or(""),
            "Col As Long, Row As Long, Mode As Integer, ChangeMade As Integer");
  const std::string show_row = "\tIf Mode Then\r\n\t\ttk_fpShowCurrRow grdCUSTOMER\r\n\tEnd If\r\n";
  EXPECT_EQ(Piece(edit_mode, 0), show_row + show_row);

  // The field child refreshes its data control; the grid child redraws around its refresh.
  EXPECT_THAT(Refresh("ORDERS"), EndsWith("\t\tEnd If\r\n\tdsORDERS.Refresh\r\n"));
  EXPECT_THAT(Refresh("NOTES"), EndsWith("\t\tEnd If\r\n"
                                         "\t\tgrdNOTES.Redraw = False\r\n"
                                         "\t\ttk_fpRefresh dsNOTES,grdNOTES\r\n"
                                         "\t\tgrdNOTES.Redraw = True\r\n"));
  EXPECT_THAT(Refresh("NOTES"), Not(HasSubstr("\tdsNOTES.Refresh")));
  EXPECT_THAT(Repopulate(), HasSubstr("\tNOTES_DoRefresh dsCUSTOMER\r\n\tNOTES_SetToScreen\r\n"));
  EXPECT_THAT(Repopulate(), StartsWith("\tdsCUSTOMER.RecordSource = sCUSTOMER_Select\r\n"
                                       "\tgrdCUSTOMER.Redraw = False\r\n"));
}

TEST_F(GridTest, Version4GridChildIsDisabledWhileItsParentMoves) {
  Generate(4,
           {Entity(1, "CUSTOMER", "FIELDS", {Attribute(101, "CUST_ID")}),
            Entity(2, "ORDERS", "GRID",
                   {Attribute(201, "ORDER_ID"), Attribute(101, "CUST_ID", "4", "", 1)})},
           Relation(1, 1, 2));
  std::string refresh = Refresh("ORDERS");
  EXPECT_THAT(refresh, StartsWith("\tgrdORDERS.Enabled = False\r\n"
                                  "\t\tIf dsORDERS.EditMode <> dbEditNone Then\r\n"));
  EXPECT_THAT(refresh, EndsWith("\t\tEnd If\r\n"
                                "\tdsORDERS.Refresh\r\n"
                                "\tgrdORDERS.Rebind\r\n"
                                "\tgrdORDERS.Enabled = True\r\n"));
  EXPECT_EQ(refresh.find("dsORDERS.Refresh"), refresh.rfind("dsORDERS.Refresh"));
  EXPECT_THAT(Piece(Get("CUSTOMER").GetDataCtrl()->GetEvent("Reposition"), 2),
              HasSubstr("\t\tORDERS_DoRefresh dsCUSTOMER\r\n"));
  EXPECT_THAT(Repopulate(), HasSubstr("\tORDERS_DoRefresh dsCUSTOMER\r\n\tORDERS_SetToScreen\r\n"));
  // No New button on the grid child, so no key migration.
  EXPECT_THAT(form().GetProcedure("ORDERS_MigrateKeys")->GetSubEventCount(), 0u);
}

}  // namespace
}  // namespace tavik
