// Tests of option groups: the list their buttons are made from.
#include "controls/option_button_ctrl.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/control_test.h"
#include "visualizers/option_button_visualizer.h"

namespace tavik {
namespace {

// The frame, its buttons, their layout and code are pinned by the option-group and
// edit-style goldens.
class OptionButtonTest : public testing::ControlTest {
 protected:
  OptionButtonTest() : ControlTest(DataSource::kEntity) {}
};

TEST_F(OptionButtonTest, OnlyTheEditStylesListMakesButtons) {
  std::string column_list_only =
      R"j({"ATTRIB_INFO": {"ID": 1, "PHYSICAL_NAME": "S", "DISPLAY_NAME": "D", "BASE_NAME": "B",
          "ROLE_NAME": "R", "REL_COUNT": 0, "REQUIRED": 0}, "FORM_ATTRIB_INFO": {"VISIBLE": 1},
          "COL_PROP": {"CD_TYP": "CHAR(1)", "CD_PTR": 1}, "COL_VLD_RULE": {"NAME": "Status"},
          "COL_VLD_VALUE": [["Open", "O"]], "CP_EST": {"ES_TYP": 1}})j";
  Load({column_list_only});
  COptionButtonVisualizer visualizer;
  ASSERT_EQ(visualizer.Init(&AttributeAt(0)), kOk);
  EXPECT_EQ(visualizer.DetermineValidationList(), 4u);
  EXPECT_FALSE(AttributeAt(0).GetProperty("VLD_LISTID"));
  EXPECT_EQ(visualizer.CreateControls(), 4u);
  EXPECT_EQ(visualizer.DoBinding(), 4u);
  EXPECT_TRUE(visualizer.GetCtrlGroup()->GetItems().empty());
}

}  // namespace
}  // namespace tavik
