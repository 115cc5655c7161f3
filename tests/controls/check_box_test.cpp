// Tests of the check box: properties of both versions, the translation code, the list rule.
#include "controls/check_box_ctrl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/control_test.h"
#include "fakes/model_text.h"
#include "visualizers/check_box_visualizer.h"

namespace tavik {
namespace {

using ::testing::EndsWith;

// An attribute of ORDERS whose edit style is a check box, with its options, a valid-value
// list of the edit style (entries as JSON, none when empty), further control properties and
// further groups.
std::string Attribute(int id, std::string_view column, std::string_view options,
                      std::string_view entries, std::string_view column_props = "",
                      std::string_view groups = "") {
  std::string list;
  if (!entries.empty()) {
    list = testing::Group("ES_VLD_RULE", R"("NAME": "Flags )" + std::to_string(id) + "\"") +
           R"(, "ES_VLD_VALUE": )" + std::string(entries);
  }
  return testing::AttributeText(
      id, column, std::string(testing::kPlainNames) + R"(, "REQUIRED": 1)",
      testing::Group("COL_PROP", R"j("CD_TYP": "CHAR(1)")j" + std::string(column_props)) +
          testing::Group("CP_EST", R"("ES_TYP": 0, "ES_VLD": 1)" + std::string(options)) + list +
          std::string(groups));
}

constexpr std::string_view kActive = R"([["Active", "A"], ["Inactive", "I"]])";

class CheckBoxTest : public testing::ControlTest {
 protected:
  CheckBoxTest() : ControlTest(DataSource::kSeparate) {}

  // Runs the visualizer of the attribute up to its controls; hands back its check box.
  template <typename Visualizer = CCheckBoxVisualizer>
  CCheckBoxCtrl* Make(std::size_t index) {
    return LastControl<CCheckBoxCtrl>(*Visualize<Visualizer>(index, {.edit_style = 0}));
  }
};

TEST_F(CheckBoxTest, TakesTheFirstEntryAsCaption) {
  Load({Attribute(1, "ACTIVE", R"(, "ESCLFT": 1)", kActive, R"(, "CD_PLB": "Status")")});
  CCheckBoxCtrl* check_box = Make(0);
  ASSERT_NE(check_box, nullptr);
  // Measured before it had its caption: by the column type, 250 twips for the box. The text
  // of both versions' check boxes is pinned by the every-edit-style goldens.
  EXPECT_EQ(Property(*check_box, "Width"), "1250");
  EXPECT_EQ(Property(*check_box, "Caption"), "Active");
  EXPECT_EQ(check_box->GetWidthSample(), "Active");
}

TEST_F(CheckBoxTest, BindingTranslatesBetweenStateAndStoredValues) {
  Load({Attribute(1, "ACTIVE", "", kActive), Attribute(2, "PAID", "", R"([["Paid", "P"]])")});
  CCheckBoxCtrl* active = Make(0);
  CCheckBoxCtrl* paid = Make(1);
  ASSERT_EQ(active->BindControl(&data_, "ACTIVE", 0), kOk);
  ASSERT_EQ(paid->BindControl(&data_, "PAID", 0), kOk);

  // Two entries translate both ways as the every-edit-style goldens show, with the Click
  // code; a single entry gives the checked value and "N" stands in for the unchecked one.
  EXPECT_THAT(Piece(data_.GetEvent("Validate"), 2),
              EndsWith("\t\t\tdatORDERS.Recordset.Fields(\"PAID\") = tk_CB_ControlXlateValue("
                       "chkE1PAID, datORDERS.Recordset.Fields(\"PAID\"), \"P\", \"N\")\r\n"));
  EXPECT_THAT(SetToScreen(), EndsWith("\t\tchkE1PAID.Value = tk_CB_FieldXlateValue(chkE1PAID, "
                                      "datORDERS.Recordset.Fields(\"PAID\"), \"P\", \"N\")\r\n"));
  // A required attribute gets no check, and the binding properties stay off.
  EXPECT_TRUE(AttributeAt(0).IsRequired());
  EXPECT_EQ(active->GetProperty("DataField"), std::nullopt);
  EXPECT_EQ(entity_->GetRegCtrlIndexCount(), 2);
}

TEST_F(CheckBoxTest, ListsAndTheirValuesDecideWhetherTheAttributeGoes) {
  Load({Attribute(1, "ACTIVE", "", R"([["Active", 1], ["Inactive", 0]])"),
        Attribute(2, "PAID", "", R"([["Paid", ""], ["Unpaid", "U"]])"),
        Attribute(3, "SHIPPED", "", ""),
        Attribute(4, "BILLED", "", "", R"(, "CD_PTR": 1)",
                  R"(, "COL_VLD_RULE": {"NAME": "Yes No"}, "COL_VLD_VALUE": [["Yes", "Y"]])")});
  // Values that are not texts, or empty ones, stop the binding before any code.
  EXPECT_EQ(Make(0)->BindControl(&data_, "ACTIVE", 0), kMissingProperty);
  EXPECT_EQ(Make(1)->BindControl(&data_, "PAID", 0), kMissingProperty);
  EXPECT_EQ(Piece(data_.GetEvent("Validate"), 2), "(none)");
  EXPECT_EQ(entity_->GetRegCtrlIndexCount(), 0);

  // Without an edit-style list, even with a column list, no control is made.
  for (std::size_t index : {2u, 3u}) {
    CCheckBoxVisualizer visualizer;
    ASSERT_EQ(visualizer.Init(&AttributeAt(index)), kOk);
    EXPECT_EQ(visualizer.DetermineValidationList(), kNullArgument);
    EXPECT_EQ(AttributeAt(index).GetProperty("VLD_LISTID"), std::nullopt);
  }
  EXPECT_TRUE(AttributeAt(3).GetProperty("COL_VLDLIST").has_value());
  EXPECT_EQ(form().GetCtrlMap().size(), 2u);
}

}  // namespace
}  // namespace tavik
