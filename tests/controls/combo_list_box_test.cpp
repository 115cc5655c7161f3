// Tests of the combo box and the list box: properties, sizing, list code and visualizers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/combo_box_ctrl.h"
#include "controls/list_box_ctrl.h"
#include "fakes/control_test.h"
#include "fakes/model_text.h"
#include "visualizers/combo_box_visualizer.h"
#include "visualizers/list_box_visualizer.h"
#include "visualizers/text_visualizer.h"

namespace tavik {
namespace {

constexpr std::int32_t kComboStyle = 2;
constexpr std::int32_t kListStyle = 7;

// An attribute of ORDERS with its REQUIRED member (none when empty), its edit-style
// options, further control properties and further groups.
std::string Attribute(int id, std::string_view column, std::string_view required,
                      std::string_view edit_style, std::string_view column_props = "",
                      std::string_view groups = "") {
  std::string info = required.empty() ? "" : R"(, "REQUIRED": )" + std::string(required);
  return testing::AttributeText(
      id, column, std::string(testing::kPlainNames) + info,
      testing::Group("COL_PROP", R"j("CD_TYP": "CHAR(10)")j" + std::string(column_props)) +
          testing::Group("CP_EST", edit_style) + std::string(groups));
}

// A valid-value list of the edit style (the options need "ES_VLD") or of the column (the
// control properties need "CD_PTR").
std::string EditStyleList(std::string_view name, std::string_view entries) {
  return R"(, "ES_VLD_RULE": {"NAME": ")" + std::string(name) + R"("}, "ES_VLD_VALUE": )" +
         std::string(entries);
}
std::string ColumnList(std::string_view name, std::string_view entries) {
  return R"(, "COL_VLD_RULE": {"NAME": ")" + std::string(name) + R"("}, "COL_VLD_VALUE": )" +
         std::string(entries);
}

constexpr std::string_view kShipModes =
    R"([["Air", "A"], ["Ground Freight", "G"], ["Ocean Shipping", "O"], ["Post", "P"]])";
constexpr std::string_view kStatuses = R"([["Open", "O"], ["Closed", "C"]])";

class ComboListBoxTest : public testing::ControlTest {
 protected:
  ComboListBoxTest() : ControlTest(DataSource::kSeparate) {}

  // Runs the visualizer of the attribute up to its controls and hands back the control of
  // the class it made (none when it made none).
  template <typename Control, typename Visualizer>
  Control* Make(std::size_t index, std::int32_t edit_style, Status expected = kOk) {
    return LastControl<Control>(
        *Visualize<Visualizer>(index, {.edit_style = edit_style, .created = expected}));
  }
  CComboBoxCtrl* MakeCombo(std::size_t index) {
    return Make<CComboBoxCtrl, CComboBoxVisualizer>(index, kComboStyle);
  }
  CListBoxCtrl* MakeList(std::size_t index) {
    return Make<CListBoxCtrl, CListBoxVisualizer>(index, kListStyle);
  }
};

TEST_F(ComboListBoxTest, ComboBoxIsSizedByItsLongestEntryAndFilledWhenTheFormLoads) {
  Load({Attribute(1, "SHIP_MODE", "0",
                  R"("ES_TYP": 2, "ES_VLD": 1, "ES_PTR": 1, "ESLSRT": 1, "ESLLIM": 20,
                     "ESLSTY": "2")",
                  R"(, "CD_PLB": "Ship mode", "CD_FSZ": "10")",
                  EditStyleList("Ship Modes", kShipModes))});
  CComboBoxCtrl* combo_box = MakeCombo(0);
  ASSERT_NE(combo_box, nullptr);
  ASSERT_EQ(combo_box->BindControl(&data_, "SHIP_MODE", 0), kOk);

  // The longest entry, the first of two as long, measures the box; 250 twips for the button.
  EXPECT_EQ(combo_box->GetWidthSample(), "Ground Freight");
  EXPECT_EQ(Property(*combo_box, "Width"), "1250");
  EXPECT_EQ(Property(*combo_box, "Sorted"), "-1");

  // The text limit adds no code: only the list is loaded.
  CEventDesc* load = form().GetEvent("Load");
  EXPECT_EQ(load->GetSubEventCount(), 1u);
  EXPECT_EQ(Piece(load, 0), "\ttk_LoadList cbxE1SHIP_MODE, Ship_Modes_List()\r\n");
  EXPECT_FALSE(load->GetDeclarations().has_value());
}

TEST_F(ComboListBoxTest, ComboBoxSwitchesToEditModeAndTranslatesTheChosenEntry) {
  Load({Attribute(1, "STATUS", "1", R"("ES_VLD": 1, "ESLVAL": 1)", "",
                  EditStyleList("Order Status", kStatuses))});
  CComboBoxCtrl* status = MakeCombo(0);
  ASSERT_EQ(status->BindControl(&data_, "STATUS", 0), kOk);

  // The Click and KeyPress code, and the check of a list control that is neither required
  // nor rejecting, are pinned by the every-edit-style goldens.
  EXPECT_EQ(Piece(data_.GetEvent("Validate"), 2),
            "\t\tIf cbxE1STATUS.Text = \"\" Then\r\n"
            "\t\t\tBeep\r\n"
            "\t\t\tMsgBox(\"STATUS is a required field; record not saved!\")\r\n"
            "\t\t\tGoTo ORDERS_BadData\r\n"
            "\t\tEnd If\r\n"
            "\t\tFnErr = tvkSetNewListField(cbxE1STATUS, datORDERS, \"STATUS\", "
            "Order_Status_List(), True, bNoClick)\r\n"
            "\t\tIf FnErr = False Then\r\n"
            "\t\t\tBeep\r\n"
            "\t\t\tMsgBox(\"Not a valid value for field STATUS; record not saved!\")\r\n"
            "\t\t\tGoTo ORDERS_BadData\r\n"
            "\t\tEnd If\r\n");
  // Unlike the text box, a list control takes no data binding properties.
  EXPECT_EQ(Property(*status, "DataSource"), "(none)");
  EXPECT_EQ(Property(*status, "DataField"), "(none)");
}

TEST_F(ComboListBoxTest, ListBoxIsFourLinesTallAndSpreadsOverItsColumns) {
  fakes_.text_measurer.extent = {1500, 200};
  Load({Attribute(1, "SHIP_MODE", "0", R"("ES_VLD": 1, "ESLSRT": 0, "ESLMUL": 1, "ESLCOL": 3)", "",
                  EditStyleList("Ship Modes", kShipModes))});
  CListBoxCtrl* list_box = MakeList(0);
  ASSERT_NE(list_box, nullptr);
  // 1500 measured becomes 1600, then (1600 - 100) for each of 3 columns.
  EXPECT_EQ(Properties(*list_box, {"Width", "Height", "MultiSelect", "Columns"}), "4500|800|2|3");
  EXPECT_EQ(Piece(form().GetEvent("Load"), 0),
            "\ttk_LoadList lbxE1SHIP_MODE, Ship_Modes_List()\r\n");
}

TEST_F(ComboListBoxTest, ListBoxChecksItsIndexAndHasNoKeyPressCode) {
  Load({Attribute(1, "STATUS", "1", R"("ES_VLD": 1, "ESEVAL": 1, "ESLVAL": 0)", "",
                  EditStyleList("Order Status", kStatuses))});
  CListBoxCtrl* list_box = MakeList(0);
  ASSERT_EQ(list_box->BindControl(&data_, "STATUS", 0), kOk);
  EXPECT_EQ(list_box->GetEvents().Find("KeyPress"), nullptr);
  // The rest of the check is the combo box's; the list box rejects by "ESEVAL".
  const std::string validate = Piece(data_.GetEvent("Validate"), 2);
  EXPECT_TRUE(validate.starts_with("\t\tIf lbxE1STATUS.ListIndex = -1 Then\r\n\t\t\tBeep\r\n"));
  EXPECT_NE(validate.find("Order_Status_List(), True, bNoClick)"), std::string::npos);
}

TEST_F(ComboListBoxTest, HeightFollowsTheStyleUnlessTheEditStyleSizesIt) {
  Load({Attribute(1, "A", "0", R"("ESLSTY": 1)"),
        Attribute(2, "B", "0", R"("ESLSTY": 1, "ES_HGT": "600")"),
        Attribute(3, "C", "0", R"("ESLSTY": 1, "ES_HGT": "")"),
        Attribute(4, "D", "0", R"("ESLSTY": 3)"), Attribute(5, "E", "0", ""),
        Attribute(6, "F", "0", R"("ES_HGT": "", "ESLMUL": 0, "ESLCOL": 0)"),
        Attribute(7, "G", "0", R"("ES_HGT": "600")")});
  EXPECT_EQ(Properties(*MakeCombo(0), {"Style", "Height"}), "1|800");
  EXPECT_EQ(Property(*MakeCombo(1), "Height"), "600");
  // An empty edit-style height keeps the measured height on a simple combo box...
  EXPECT_EQ(Properties(*MakeCombo(2), {"Style", "Height"}), "1|200");
  EXPECT_EQ(Properties(*MakeCombo(3), {"Style", "Height"}), "0|200");
  EXPECT_EQ(Property(*MakeCombo(4), "Style"), "(none)");
  // ...but counts as none on a list box.
  EXPECT_EQ(Properties(*MakeList(5), {"Height", "MultiSelect", "Columns"}), "800|(none)|(none)");
  EXPECT_EQ(Property(*MakeList(6), "Height"), "600");
}

TEST_F(ComboListBoxTest, WidthSampleComesFromTheListOrFromTheColumnType) {
  Load({Attribute(1, "MODE", "0", R"("ES_VLD": 1)", "", EditStyleList("Ship Modes", kShipModes)),
        Attribute(2, "NOTE", "0", "")});
  EXPECT_EQ(MakeList(0)->GetWidthSample(), "Ground Freight");
  CComboBoxCtrl* no_list = MakeCombo(1);
  EXPECT_EQ(no_list->GetWidthSample(), std::nullopt);
  // A list id that names no list of the form, then a list without entries.
  ASSERT_EQ(AttributeAt(1).AddProperty(Value::String("Empty"), "VLD_LISTID"), kOk);
  EXPECT_EQ(no_list->GetWidthSample(), std::nullopt);
  auto empty = std::make_unique<CNxPropertySet>();
  empty->AddSection(format_ids::kValidValues);
  ASSERT_EQ(form().AddValidValueList("Empty", std::move(empty)), kOk);
  EXPECT_EQ(no_list->GetWidthSample(), "DefaultWidth");

  CListBoxCtrl list_box;
  EXPECT_EQ(list_box.AdjustCtrlWidth(1499), 1500);
  EXPECT_EQ(list_box.AdjustCtrlWidth(1500), 1600);
  EXPECT_EQ(no_list->AdjustCtrlWidth(1500), 1750);
}

TEST_F(ComboListBoxTest, EditStyleListIsPreferredToTheColumnList) {
  std::string both = EditStyleList("Ship Modes", kShipModes) + ColumnList("Statuses", kStatuses);
  Load({Attribute(1, "A", "0", R"("ES_VLD": 1)", R"(, "CD_PTR": 1)", both),
        Attribute(2, "B", "0", R"("ES_VLD": 1)", R"(, "CD_PTR": 1)", both),
        Attribute(3, "C", "0", R"("ES_VLD": 1)", R"(, "CD_PTR": 1)", both),
        Attribute(4, "D", "0", "", R"(, "CD_PTR": 1)", ColumnList("Statuses", kStatuses))});
  auto list_id = [this](std::size_t index) {
    auto value = AttributeAt(index).GetProperty("VLD_LISTID");
    return value ? value->Text() : "(none)";
  };
  MakeCombo(0);
  MakeList(1);
  Make<CCtrlDesc, CTextVisualizer>(2, 4);
  MakeCombo(3);
  EXPECT_EQ(list_id(0), "Ship Modes");
  EXPECT_EQ(list_id(1), "Ship Modes");
  EXPECT_EQ(list_id(2), "Statuses");
  EXPECT_EQ(list_id(3), "Statuses");
}

TEST_F(ComboListBoxTest, MissingListStopsBindingAfterTheEarlierCode) {
  Load({Attribute(1, "STATUS", "1", "")});
  CComboBoxCtrl* combo_box = MakeCombo(0);
  ASSERT_NE(combo_box, nullptr);
  EXPECT_EQ(form().GetEvent("Load")->GetSubEventCount(), 0u);
  EXPECT_EQ(combo_box->BindControl(&data_, "STATUS", 0), kMissingProperty);
  EXPECT_EQ(Piece(combo_box->GetEvent("Click"), 0),
            "\t\tbORDERSBind = True\r\n"
            "\t\ttk_SetEditMode datORDERS\r\n");
  EXPECT_EQ(Piece(combo_box->GetEvent("KeyPress"), 0, 2), "\tEnd If\r\n");
  EXPECT_TRUE(
      Piece(data_.GetEvent("Validate"), 2).starts_with("\t\tIf cbxE1STATUS.Text = \"\" Then"));
  EXPECT_EQ(form().MakeProcedure("ORDERS_SetToScreen")->GetSubEventCount(), 0u);
}

TEST_F(ComboListBoxTest, VersionFourVisualizersBindThroughTheEntityDataControl) {
  Load({Attribute(1, "STATUS", "0", R"("ES_VLD": 1)", "", EditStyleList("Order Status", kStatuses)),
        Attribute(2, "SHIP_MODE", "0", R"("ES_VLD": 1)", "",
                  EditStyleList("Ship Modes", kShipModes)),
        Attribute(3, "NO_REQUIRED_MARK", "", "")},
       4);
  ASSERT_EQ(entity_->CreateDataControl(), kOk);
  // The text of both version-4 controls is the every-edit-style golden's.
  ASSERT_NE((Make<CComboBoxCtrl, CComboBox4Visualizer>(0, kComboStyle)), nullptr);
  ASSERT_NE((Make<CListBoxCtrl, CListBox4Visualizer>(1, kListStyle)), nullptr);
  ASSERT_EQ(AttributeAt(0).GetVisualizer()->DoBinding(), kOk);
  ASSERT_EQ(AttributeAt(1).GetVisualizer()->DoBinding(), kOk);

  // Without the REQUIRED member no control is made: version 3 says why, version 4 that the
  // control is missing, and binding finds nothing to bind.
  Make<CComboBoxCtrl, CComboBoxVisualizer>(2, kComboStyle, kMissingProperty);
  EXPECT_EQ(AttributeAt(2).GetVisualizer()->DoBinding(), 5u);
  EXPECT_EQ((Make<CComboBoxCtrl, CComboBox4Visualizer>(2, kComboStyle, 5)), nullptr);
  EXPECT_EQ((Make<CListBoxCtrl, CListBox4Visualizer>(2, kListStyle, 5)), nullptr);
  EXPECT_EQ(AttributeAt(2).GetVisualizer()->DoBinding(), 5u);
}

}  // namespace
}  // namespace tavik
