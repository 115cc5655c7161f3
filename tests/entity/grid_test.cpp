// Tests of entities shown as grids: the grid control, its columns, buttons and the
// master/detail code around grids, for both Visual Basic versions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/data_ctrl.h"
#include "controls/db_grid_ctrl.h"
#include "controls/far_point_grid_ctrl.h"
#include "controls/timer_ctrl.h"
#include "entity/entity_desc.h"
#include "entity/grid_lookups.h"
#include "fakes/event_text.h"
#include "fakes/model_form.h"
#include "fakes/model_text.h"
#include "fakes/scoped_fakes.h"
#include "form/form_desc.h"
#include "visualizers/db_grid_visualizer.h"
#include "visualizers/far_point_grid_visualizer.h"
#include "visualizers/visualizer_allocators.h"

namespace tavik {
namespace {

using ::testing::HasSubstr;
using testing::Piece;

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
  CEntityDesc& Get(std::string_view name) { return model_->EntityNamed(name); }
  CCtrlDesc* Control(std::string_view name) { return model_->Control(name); }
  CEventDesc* Event(std::string_view control, std::string_view event) {
    CCtrlDesc* found = Control(control);
    return found ? found->GetEvent(event) : nullptr;
  }

  testing::ScopedFakes fakes_;
  CClntDescOps ops_{};
  std::unique_ptr<testing::ModelForm> model_;
};

// The grids' text, events, column set-up and headings, buttons, repopulation and refresh are
// pinned by the grid goldens.
TEST_F(GridTest, Version4GridIsBoundForALiveClient) {
  Generate(4, {Entity(1, "ORDERS", "GRID", {Attribute(1, "ORDER_ID")})});
  EXPECT_EQ(Get("ORDERS").IsGrid(), 1);
  EXPECT_EQ(live_grid_calls, std::vector<std::string>{"grdORDERS <- dsORDERS"});
}

// The attribute, naming a valid-value list of the form as its own.
std::string NamingList(std::string attribute, std::string_view list) {
  const std::string info = R"("ATTRIB_INFO": {)";
  attribute.insert(attribute.find(info) + info.size(),
                   R"("VLD_LISTID": ")" + std::string(list) + "\", ");
  return attribute;
}

TEST_F(GridTest, Version3GridSetsUpItsColumnsWhenTheFormLoads) {
  std::string lists =
      R"(, "COL_VLD_RULE": {"NAME": "Yes No"}, "COL_VLD_VALUE": [["Yes", "Y"], ["No", "N"]])"
      R"(, "ES_VLD_RULE": {"NAME": "Active"}, "ES_VLD_VALUE": [["Active", "A"], ["Off", "I"]])";
  Generate(3, {Entity(1, "ORDERS", "GRID",
                      {Attribute(1, "ORDER_ID"),
                       Attribute(2, "PAID", R"(0, "ES_VLD": 1)", R"(, "CD_PTR": 1)", 0, lists),
                       NamingList(Attribute(3, "SHIPPED", "0"), "Yes No")})});
  CEntityDesc& orders = Get("ORDERS");
  EXPECT_TRUE(live_grid_calls.empty());
  // Check-box cells for edit style 0, with the text of the first entry of the list the
  // attribute names itself; its column and edit-style lists do not count. The entity's own
  // load code follows.
  std::string load = Piece(form().GetEvent("Load"), 0);
  EXPECT_THAT(load, HasSubstr("\tgrdORDERS.TypeCheckCenter = True\r\n"
                              "\tgrdORDERS.Col = 3\r\n"));
  EXPECT_THAT(load, HasSubstr("\tgrdORDERS.TypeCheckCenter = True\r\n"
                              "\tgrdORDERS.TypeCheckText = \"Yes\"\r\n"
                              "\tdsORDERS.Connect = tvkDBConn.Connect\r\n"));
  EXPECT_EQ(orders.HasCustomGridColumns(), 1);

  // One Delete button and no New button, so no key migration.
  EXPECT_EQ(orders.GetButtonCtrlGroup()->GetItems().size(), 1u);
  EXPECT_EQ(orders.GetButton("New"), nullptr);
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

// Both grid controls size and refuse alike.
template <typename Grid>
void CheckGridControl(CFormDesc& form, std::uint16_t version) {
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
  const std::string show_row = "\tIf Mode Then\r\n\t\ttk_fpShowCurrRow grdCUSTOMER\r\n\tEnd If\r\n";
  EXPECT_EQ(Piece(edit_mode, 0), show_row + show_row);
}

// The joined table and the name column take names the grid's table and columns leave free;
// a lookup that shows its key itself joins nothing.
TEST(GridLookups, NamesWhatItJoinsApartFromTheGridsOwnNames) {
  testing::ModelForm model(testing::ModelText(
      Entity(1, "lk1", "GRID",
             {Attribute(1, "A", R"(11, "ESKTBL": "T", "ESKKEY": "K", "ESKDSP": "N")"),
              Attribute(2, "A_N"), Attribute(3, "B", R"(11, "ESKTBL": "T")")})));
  GridLookups lookups(model.Entity(0));
  EXPECT_EQ(lookups.SelectText(),
            "SELECT lk1.A,lk1_2.N & '' AS A_N_2,lk1.A_N,lk1.B FROM lk1 "
            "LEFT JOIN T AS lk1_2 ON lk1.A = lk1_2.K");
  EXPECT_EQ(lookups.NameOf("B"), nullptr);
}

}  // namespace
}  // namespace tavik
