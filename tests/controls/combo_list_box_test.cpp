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

// A valid-value list of the edit style (the options need "ES_VLD").
std::string EditStyleList(std::string_view name, std::string_view entries) {
  return R"(, "ES_VLD_RULE": {"NAME": ")" + std::string(name) + R"("}, "ES_VLD_VALUE": )" +
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
