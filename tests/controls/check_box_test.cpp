// Tests of the check box: properties of both versions, the translation code, the list rule.
#include "controls/check_box_ctrl.h"

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

class CheckBoxTest : public testing::ControlTest {
 protected:
  CheckBoxTest() : ControlTest(DataSource::kSeparate) {}

  // Runs the visualizer of the attribute up to its controls; hands back its check box.
  template <typename Visualizer = CCheckBoxVisualizer>
  CCheckBoxCtrl* Make(std::size_t index) {
    return LastControl<CCheckBoxCtrl>(*Visualize<Visualizer>(index, {.edit_style = 0}));
  }
};

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
