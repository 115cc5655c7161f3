// Tests of the masked edit box: its mask properties, width, binding code and visualizers.
#include "controls/mask_ed_ctrl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/control_test.h"
#include "fakes/model_text.h"
#include "visualizers/mask_ed_visualizer.h"

namespace tavik {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// An attribute of ORDERS; groups holds its property groups after ATTRIB_INFO.
std::string Attribute(int id, std::string_view column, std::string_view required,
                      std::string_view groups) {
  return testing::AttributeText(
      id, column, std::string(testing::kPlainNames) + R"(, "REQUIRED": )" + std::string(required),
      groups);
}

// A column of type CHAR(10) with the edit-style options given.
std::string Groups(std::string_view edit_style, std::string_view column = "") {
  return testing::Group("COL_PROP", R"j("CD_TYP": "CHAR(10)")j" + std::string(column)) +
         testing::Group("CP_EST", R"("ES_TYP": 5)" + std::string(edit_style));
}

// A coded column whose values come from its validation rule.
std::string CodedGroups(std::string_view edit_style) {
  return testing::Group("COL_PROP", R"j("CD_TYP": "CHAR(1)", "CD_PTR": 1)j") +
         testing::Group("COL_VLD_RULE", R"("NAME": "Order Status")") +
         R"(, "COL_VLD_VALUE": [["Open", "O"]])" +
         testing::Group("CP_EST", R"("ES_TYP": 5)" + std::string(edit_style));
}

constexpr std::string_view kPhoneMask = R"(, "ESMMSK": "(999) 999-9999")";

class MaskEdTest : public testing::ControlTest {
 protected:
  MaskEdTest() : ControlTest(DataSource::kEntity) {}

  // Runs the visualizer of the attribute, binding included, and hands back its box.
  template <typename Visualizer = CMaskEdVisualizer>
  CMaskEdCtrl* Make(std::size_t index) {
    return LastControl<CMaskEdCtrl>(
        *Visualize<Visualizer>(index, {.edit_style = 5, .binding = true}));
  }

  // The code that puts a stored value on the screen through the box's mask.
  static std::string ShowThroughMask(std::string_view field, std::string_view box,
                                     std::string_view value_line) {
    std::string data = "dsORDERS.Recordset.Fields(\"" + std::string(field) + "\")";
    std::string ctrl(box);
    return "\t\tIf IsNull(" + data + ") Then\r\n\t\t\tzTmpField = \"\"\r\n\t\tElse\r\n" +
           "\t\t\tzTmpField = " + data + "\r\n\t\tEnd If\r\n" + "\t\t" + std::string(value_line) +
           "\r\n" + "\t\tsMask = " + ctrl + ".Mask\r\n" + "\t\t" + ctrl + ".Mask = \"\"\r\n" +
           "\t\t" + ctrl + ".Text = sValue\r\n" + "\t\t" + ctrl + ".Mask = sMask\r\n";
  }
};

TEST_F(MaskEdTest, MaskOptionsBecomeItsProperties) {
  Load({Attribute(
      1, "PHONE", "0",
      Groups(std::string(kPhoneMask) +
                 R"(, "ESMPIN": 0, "ESMPCH": 35, "ESMLIM": "14", "ESMSEL": 0, "ESMFMT": "x")",
             R"(, "CD_PLB": "Phone")"))});
  CMaskEdCtrl* box = Make(0);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Properties(*box, {"Mask", "HideSelection", "MaxLength", "PromptChar", "PromptInclude",
                              "DataSource"}),
            "(999) 999-9999|0|14|#|0|dsORDERS");
  EXPECT_EQ(box->IsFocusCtrl(), 1);
}

TEST_F(MaskEdTest, WidthFollowsTheMaskElseTheColumnType) {
  Load({Attribute(1, "PHONE", "0", Groups(kPhoneMask)), Attribute(2, "CODE", "0", Groups("")),
        Attribute(3, "EMPTY", "0", Groups(R"(, "ESMMSK": "")"))});
  CMaskEdCtrl* phone = Make(0);
  EXPECT_EQ(phone->CalcCharWidth(), 16);
  EXPECT_EQ(Make(1)->CalcCharWidth(), 12);
  CMaskEdCtrl* empty = Make(2);
  EXPECT_EQ(empty->CalcCharWidth(), 12);
  EXPECT_EQ(Property(*empty, "Mask"), "(none)");
  // The box is measured on as many "x" as it has characters.
  ASSERT_EQ(phone->DoWidthHeight(0), kOk);
  EXPECT_EQ(fakes_.text_measurer.last_text, std::string(16, 'x'));
}

TEST_F(MaskEdTest, LengthLimitStaysWithinTheMaskSize) {
  Load({Attribute(1, "A", "0", Groups(R"(, "ESMLIM": 64)")),
        Attribute(2, "B", "0", Groups(R"(, "ESMLIM": 65)")),
        Attribute(3, "C", "0", Groups(R"(, "ESMLIM": 0, "ESMSEL": 1, "ESMPIN": 1)"))});
  EXPECT_EQ(Property(*Make(0), "MaxLength"), "64");
  EXPECT_EQ(Property(*Make(1), "MaxLength"), "(none)");
  CMaskEdCtrl* other = Make(2);
  EXPECT_EQ(Properties(*other, {"MaxLength", "HideSelection", "PromptInclude"}),
            "(none)|(none)|(none)");
}

// The required check, the translation before saving and the empty-value code are the text
// box's, whose tests pin their text; showing a stored value through the mask is pinned by the
// every-edit-style goldens.
TEST_F(MaskEdTest, ARequiredBoxIsCheckedBeforeSaving) {
  Load({Attribute(1, "PHONE", "1", Groups(kPhoneMask))});
  Make(0);
  EXPECT_THAT(Validate(), StartsWith("\t\tIf mebE1PHONE.Text = \"\" Then\r\n\t\t\tBeep\r\n"));
}

TEST_F(MaskEdTest, TypedValuesAreTranslatedThroughTheList) {
  Load({Attribute(1, "STATUS", "0", CodedGroups(R"(, "ESMSPN": 1, "ESMCOD": 1)")),
        Attribute(2, "KIND", "0", CodedGroups(R"(, "ESMSPN": "1")")),
        Attribute(3, "NOTE", "0", Groups(R"(, "ESMSPN": 1)"))});
  Make(0);
  Make(1);
  Make(2);
  std::string from_list = "nResult = tk_GetDisplayValue(zTmpField, Order_Status_List(), sValue)";
  EXPECT_EQ(SetToScreen(), ShowThroughMask("STATUS", "mebE1STATUS", from_list) +
                               ShowThroughMask("KIND", "mebE1KIND", from_list) +
                               ShowThroughMask("NOTE", "mebE1NOTE", "sValue = Trim(zTmpField)"));
  // Only "ESMCOD" refuses a value not in the list.
  const std::string to_data = "nResult = tk_GetDataValue(sBuff, Order_Status_List(), sValue)\r\n";
  EXPECT_THAT(Validate(), HasSubstr("mebE1STATUS.Text)\r\n\t\t" + to_data + "\t\tIf nResult"));
  EXPECT_THAT(Validate(), HasSubstr("mebE1KIND.Text)\r\n\t\t" + to_data + "\t\tnDFTrans"));
  EXPECT_THAT(Validate(), Not(HasSubstr("mebE1NOTE")));
}

TEST_F(MaskEdTest, WithoutTheRequiredMemberNoBoxIsMade) {
  // No REQUIRED: no base name, so no box.
  Load({Attribute(1, "A", "0", Groups("")),
        R"j({"ATTRIB_INFO": {"ID": 2, "PHYSICAL_NAME": "B", "DISPLAY_NAME": "D",
            "BASE_NAME": "B", "ROLE_NAME": "R", "REL_COUNT": 0},
            "FORM_ATTRIB_INFO": {"VISIBLE": 1}, "COL_PROP": {"CD_TYP": "CHAR(1)"}})j"});
  CMaskEd4Visualizer version4;
  ASSERT_EQ(version4.Init(&AttributeAt(1)), kOk);
  EXPECT_EQ(version4.CreateControls(), 5u);
  EXPECT_EQ(version4.DoBinding(), 5u);
}

}  // namespace
}  // namespace tavik
