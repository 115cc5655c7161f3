// Tests of the masked edit box: its mask properties, width, binding code and visualizers.
#include "controls/mask_ed_ctrl.h"

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

class MaskEdTest : public testing::ControlTest {
 protected:
  MaskEdTest() : ControlTest(DataSource::kEntity) {}

  // Runs the visualizer of the attribute, binding included, and hands back its box.
  template <typename Visualizer = CMaskEdVisualizer>
  CMaskEdCtrl* Make(std::size_t index) {
    return LastControl<CMaskEdCtrl>(
        *Visualize<Visualizer>(index, {.edit_style = 5, .binding = true}));
  }
};

TEST_F(MaskEdTest, OnlyTheDisplayFormatOptionWritesAFormat) {
  Load({Attribute(1, "PAID", "0", Groups(R"(, "ESMMSK": "##", "ESMDFM": "Currency")")),
        Attribute(2, "DUE", "0", Groups(R"(, "ESMMSK": "##", "ESMFMT": "Currency")"))});
  EXPECT_EQ(Property(*Make(0), "Format"), "Currency");
  EXPECT_EQ(Property(*Make(1), "Format"), "(none)");
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
