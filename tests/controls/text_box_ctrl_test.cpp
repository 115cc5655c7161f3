// Tests of the text box: its properties, edit-style options, binding code and visualizers.
#include "controls/text_box_ctrl.h"

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

TEST_F(TextBoxCtrlTest, ARuleKeepsTheRecordUnsavedOrStaysAComment) {
  Load({Attribute(1, "PRICE", R"(, "REQUIRED": 0)",
                  Groups(R"("ES_TYP": 4)", R"(, "CD_VLR": ">=0", "CD_VLT": "Not \"free\"")")),
        Attribute(2, "BORN", R"(, "REQUIRED": 0)",
                  Groups(R"("ES_TYP": 4)", R"j(, "CD_VLR": "<Date()")j"))});
  ASSERT_EQ(Make(0)->BindControl(&data_, "PRICE", 0), kOk);
  ASSERT_EQ(Make(1)->BindControl(&data_, "BORN", 0), kOk);
  EXPECT_EQ(Piece(data_.GetEvent("Validate"), 2),
            "\t\tIf tbxE1PRICE.Text <> \"\" And Not (Val(tbxE1PRICE.Text) >= 0) Then\r\n"
            "\t\t\tBeep\r\n"
            "\t\t\tMsgBox(\"Not \"\"free\"\"\")\r\n"
            "\t\t\tGoTo ORDERS_BadData\r\n"
            "\t\tEnd If\r\n"
            "\t\t' BORN keeps a rule the form does not check: <Date()\r\n");
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
