// Tests of the text box: its properties, edit-style options, binding code and visualizers.
#include "controls/text_box_ctrl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/control_test.h"
#include "fakes/model_text.h"
#include "visualizers/text_visualizer.h"

namespace tavik {
namespace {

using ::testing::HasSubstr;

// An attribute of ORDERS; info adds ATTRIB_INFO members, groups adds further groups.
std::string Attribute(int id, std::string_view column, std::string_view info,
                      std::string_view groups) {
  return testing::AttributeText(id, column, std::string(testing::kPlainNames) + std::string(info),
                                groups);
}

// The edit-style group and the control property group of an attribute.
std::string Groups(std::string_view edit_style, std::string_view column = "") {
  return testing::Group("COL_PROP", R"j("CD_TYP": "CHAR(10)")j" + std::string(column)) +
         testing::Group("CP_EST", edit_style);
}

// Coded values of ORDERS, from the column's validation rule.
constexpr std::string_view kCodedGroups =
    R"j(, "COL_PROP": {"CD_TYP": "CHAR(1)", "CD_PTR": 1}, "COL_VLD_RULE": {"NAME": "Order Status"},
       "COL_VLD_VALUE": [["Open", "O"], ["Closed", "C"]])j";

// Forms are of version 3, with a separate data control.
class TextBoxCtrlTest : public testing::ControlTest {
 protected:
  TextBoxCtrlTest() : ControlTest(DataSource::kSeparate) {}

  // Runs the visualizer of the attribute and hands back the text box it made.
  template <typename Visualizer = CTextVisualizer>
  CTextBoxCtrl* Make(std::size_t index, std::int32_t edit_style = 4) {
    return static_cast<CTextBoxCtrl*>(
        LastControl(*Visualize<Visualizer>(index, {.edit_style = edit_style}),
                    [](CCtrlDesc* control) { return control->GetClassName() == "TextBox"; }));
  }
};

TEST_F(TextBoxCtrlTest, EditStyleAndColumnOptionsBecomeItsProperties) {
  Load({Attribute(1, "CITY", R"(, "REQUIRED": 0)",
                  Groups(R"("ES_TYP": 4, "ES_PTR": 3, "ESEHID": 0, "ESEPWD": 42, "ESELIM": 20)",
                         R"(, "CD_PLB": "City", "CD_FNM": "Arial", "CD_BKC": "White")"))});
  CTextBoxCtrl* text_box = Make(0);
  ASSERT_NE(text_box, nullptr);
  ASSERT_EQ(text_box->BindControl(&data_, "CITY", 0), kOk);

  // The order of the common properties is pinned by the goldens.
  EXPECT_EQ(Properties(*text_box, {"Width", "MousePointer", "FontName", "PasswordChar", "MaxLength",
                                   "HideSelection", "BackColor", "DataSource"}),
            "1200|3|Arial|*|20|0|16777215|datORDERS");
  // The label came first: handle and tab index 0; the text box is in column 1 after it. The
  // other kinds of control follow their label alike.
  EXPECT_EQ(text_box->GetCtrlHandle(), 1u);
  EXPECT_EQ(form().GetCtrl(0)->GetCtrlName(), "lblE1CITY");
  EXPECT_EQ(form().GetCtrl(1), text_box);
  const auto& items = AttributeAt(0).GetVisualizer()->GetCtrlGroup()->GetItems();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items.back()->column, 1);
}

TEST_F(TextBoxCtrlTest, CodedValuesAreTranslatedBothWays) {
  Load({Attribute(1, "STATUS", R"(, "REQUIRED": 0)",
                  std::string(kCodedGroups) + R"(, "CP_EST": {"ESECOD": 1, "ESEVAL": 1})"),
        Attribute(2, "KIND", R"(, "REQUIRED": 0)",
                  std::string(kCodedGroups) + R"(, "CP_EST": {"ESECOD": 1, "ESEVAL": 0})")});
  CTextBoxCtrl* rejecting = Make(0);
  CTextBoxCtrl* lenient = Make(1);
  ASSERT_EQ(rejecting->BindControl(&data_, "STATUS", 0), kOk);
  ASSERT_EQ(lenient->BindControl(&data_, "KIND", 0), kOk);

  // The rejecting translation and the way back to the screen are pinned by the status-code
  // golden; without "ESEVAL" the value is translated but not refused.
  EXPECT_THAT(Piece(data_.GetEvent("Validate"), 2),
              HasSubstr("\t\tsBuff = Trim(tbxE1KIND.Text)\r\n"
                        "\t\tnResult = tk_GetDataValue(sBuff, Order_Status_List(), sValue)\r\n"
                        "\t\tnDFTransCount = tvkAddDisplayFieldTranslation(datORDERS, \"KIND\", "));
  EXPECT_THAT(SetToScreen(), HasSubstr("\t\ttbxE1KIND.Text = sValue\r\n"));
}

TEST_F(TextBoxCtrlTest, CodedValuesWithoutAListStopAfterTheEarlierSteps) {
  Load({Attribute(1, "STATUS", R"(, "REQUIRED": 1)", Groups(R"("ESECOD": 1)"))});
  CTextBoxCtrl* text_box = Make(0);
  EXPECT_EQ(text_box->BindControl(&data_, "STATUS", 0), kMissingProperty);
  EXPECT_EQ(Property(*text_box, "DataSource"), "datORDERS");
  EXPECT_EQ(Property(*text_box, "DataField"), "STATUS");
  EXPECT_TRUE(
      Piece(data_.GetEvent("Validate"), 2).starts_with("\t\tIf tbxE1STATUS.Text = \"\" Then"));
  EXPECT_EQ(Piece(text_box->GetEvent("KeyPress"), 0), "\t\ttk_SetEditMode datORDERS\r\n");
}

TEST_F(TextBoxCtrlTest, EditStyleOptionsBecomeProperties) {
  struct Case {
    std::string_view options;
    std::int32_t edit_style;
    std::string_view properties;  // MaxLength, Alignment, BorderStyle, ScrollBars, MultiLine
  };
  const Case cases[] = {
      {R"("ESELIM": 31999, "ESEPOS": 25)", 4, "31999|2|(none)|(none)|(none)"},
      {R"("ESELIM": 32000)", 4, "(none)|0|(none)|(none)|(none)"},
      {R"("ESELIM": 0, "ESEBRD": 0)", 4, "(none)|0|0|(none)|(none)"},
      {R"("ESEHBR": 1, "ESEVBR": 1)", 6, "(none)|0|(none)|3|-1"},
      {R"("ESEHBR": 0, "ESEVBR": 1)", 6, "(none)|0|(none)|2|-1"},
      {R"("ESEVBR": 1)", 4, "(none)|0|(none)|(none)|(none)"},  // bars need edit style 6
      {R"("ESEPOS": "24", "ESEBRD": 1)", 4, "(none)|1|(none)|(none)|(none)"},
  };
  std::vector<std::string> attributes;
  for (const Case& test : cases) {
    const int id = static_cast<int>(attributes.size()) + 1;
    attributes.push_back(
        Attribute(id, "C" + std::to_string(id), R"(, "REQUIRED": 0)", Groups(test.options)));
  }
  Load(attributes);
  for (std::size_t index = 0; index < std::size(cases); ++index) {
    CTextBoxCtrl* text_box = Make(index, cases[index].edit_style);
    EXPECT_EQ(
        Properties(*text_box, {"MaxLength", "Alignment", "BorderStyle", "ScrollBars", "MultiLine"}),
        cases[index].properties)
        << cases[index].options;
  }
}

TEST_F(TextBoxCtrlTest, CaseConversionDeclaresTheWindowStyleOncePerForm) {
  Load({Attribute(1, "A", R"(, "REQUIRED": 0)", Groups(R"("ESECAS": 27)")),
        Attribute(2, "B", R"(, "REQUIRED": 0)", Groups(R"("ESECAS": 28)")),
        Attribute(3, "C", R"(, "REQUIRED": 0)", Groups(R"("ESECAS": 26)"))});
  Make(0);
  Make(1);
  Make(2);
  CEventDesc* load = form().GetEvent("Load");
  EXPECT_EQ(load->GetDeclarations().value_or(""), "\tDim lWindowStyle As Long\r\n");
  EXPECT_EQ(Piece(load, 0),
            "\tlWindowStyle = GetWindowLong(tbxE1A.hWnd, GWL_STYLE)\r\n"
            "\tlWindowStyle = lWindowStyle Or ES_UPPERCASE\r\n"
            "\tlWindowStyle = SetWindowLong(tbxE1A.hWnd, GWL_STYLE, lWindowStyle)\r\n"
            "\tlWindowStyle = GetWindowLong(tbxE1B.hWnd, GWL_STYLE)\r\n"
            "\tlWindowStyle = lWindowStyle Or ES_LOWERCASE\r\n"
            "\tlWindowStyle = SetWindowLong(tbxE1B.hWnd, GWL_STYLE, lWindowStyle)\r\n");
}

TEST_F(TextBoxCtrlTest, AutoSelectCodeComesFirstInGotFocus) {
  Load({Attribute(1, "NAME", R"(, "REQUIRED": 0)", Groups(R"("ESESEL": 1)"))});
  Make(0);
  CTextBoxCtrl text_box;
  ASSERT_EQ(text_box.Init(3, &form(), AttributeAt(0).GetVisualizer()), kOk);
  text_box.SetCtrlName("tbxNAME");
  text_box.GetEvent("GotFocus")->Append(SubEvent::kClosing, SubEventSlot::kBody, "\tearlier\r\n");
  ASSERT_EQ(text_box.HandleProperties(), kOk);
  CEventDesc* got_focus = text_box.GetEvent("GotFocus");
  got_focus->PrepareEventCode();
  EXPECT_EQ(got_focus->GetEventCode().value_or(""),
            "'  Autoselect text when control gets focus \r\n"
            "\ttbxNAME.SelStart = 0\r\n"
            "\ttbxNAME.SelLength = 64000\r\n"
            "\r\n"
            "\tearlier\r\n"
            "\r\n");
}

TEST_F(TextBoxCtrlTest, EmptyTextStoresNullOnlyWithADataControl) {
  Load({Attribute(1, "CITY", R"(, "REQUIRED": 0)", Groups(R"("ES_TYP": 4)"))});
  CTextBoxCtrl* text_box = Make(0);
  EXPECT_EQ(text_box->DoEmptyIsNull(), kNullArgument);
  text_box->SetDataCtrl(&data_);
  ASSERT_EQ(text_box->DoEmptyIsNull(), kOk);
  EXPECT_EQ(Piece(data_.GetEvent("Validate"), 2),
            "\t\tIf tbxE1CITY.Text = \"\" Then\r\n"
            "\t\t\ttbxE1CITY = tk_NullValue(datORDERS.Recordset(\"CITY\"))\r\n"
            "\t\tEnd If\r\n");
}

TEST_F(TextBoxCtrlTest, BindingUsesTheEntityDataControlAndThePhysicalName) {
  Load({Attribute(1, "SHIP_CITY", R"(, "REQUIRED": 0)", Groups(R"("ES_TYP": 4)"))});
  ASSERT_EQ(entity_->CreateDataControl(), kOk);
  CTextBoxCtrl* text_box = Make<CText4Visualizer>(0);
  ASSERT_NE(text_box, nullptr);
  EXPECT_EQ(text_box->GetDataCtrl(), entity_->GetDataCtrl());
  // No label text, no label: the text box takes the first tab index.
  EXPECT_EQ(AttributeAt(0).GetVisualizer()->GetCtrlGroup()->GetItems().size(), 1u);
  EXPECT_EQ(Property(*text_box, "TabIndex"), "0");
  // Binding to it by the physical name is in every version-4 golden.
}

TEST_F(TextBoxCtrlTest, VisualizersReportAMissingTextBox) {
  // No REQUIRED: the control base name cannot be made, so no text box is made either.
  Load({Attribute(1, "CITY", "", Groups(R"("ES_TYP": 4)"))});
  CAttribDesc& attribute = AttributeAt(0);
  CTextVisualizer version3;
  ASSERT_EQ(version3.Init(&attribute), kOk);
  EXPECT_EQ(version3.CreateControls(), kMissingProperty);
  EXPECT_EQ(version3.DoBinding(), 5u);
  CText4Visualizer version4;
  ASSERT_EQ(version4.Init(&attribute), kOk);
  EXPECT_EQ(version4.CreateControls(), 5u);
  EXPECT_TRUE(form().GetCtrlMap().empty());
}

}  // namespace
}  // namespace tavik
