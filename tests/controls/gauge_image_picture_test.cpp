// Tests of the gauge, the picture box and the image: properties, sizes, binding and code.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/gauge_ctrl.h"
#include "controls/image_ctrl.h"
#include "controls/pict_ctrl.h"
#include "fakes/control_test.h"
#include "fakes/model_text.h"
#include "visualizers/gauge_visualizer.h"
#include "visualizers/image_visualizer.h"
#include "visualizers/pict_visualizer.h"

namespace tavik {
namespace {

// An attribute of ORDERS with its edit-style options and further control properties.
std::string Attribute(int id, std::string_view column, std::string_view edit_style,
                      std::string_view column_extra = "") {
  return testing::AttributeText(
      id, column, std::string(testing::kPlainNames) + R"(, "REQUIRED": 0)",
      testing::Group("COL_PROP", R"("CD_TYP": "INTEGER")" + std::string(column_extra)) +
          testing::Group("CP_EST", edit_style));
}

// Loads ORDERS with its data control "dsORDERS" (handle 0).
class DisplayControlTest : public testing::ControlTest {
 protected:
  DisplayControlTest() : ControlTest(DataSource::kEntity, 700) {}

  // Runs the visualizer of the attribute (controls and binding) and hands back its main
  // control, the last of its group.
  template <typename Visualizer>
  CCtrlDesc* Make(std::size_t index) {
    const auto& items =
        Visualize<Visualizer>(
            index, {.edit_style = std::nullopt, .validation_list = false, .binding = true})
            ->GetCtrlGroup()
            ->GetItems();
    return items.empty() ? nullptr : static_cast<CCtrlPosItem&>(*items.back()).GetCtrl();
  }
};

TEST_F(DisplayControlTest, PictureBoxWithoutOptionsHasItsDefaultsInBothVersions) {
  for (int version : {3, 4}) {
    SCOPED_TRACE(version);
    Load({Attribute(1, "PHOTO", R"("ES_TYP": 8)", R"(, "CD_PLB": "Photo")")},
         static_cast<std::uint16_t>(version));
    CCtrlDesc* picture = Make<CPictVisualizer>(0);
    // Tab index 1, after the label. The text is pinned by the every-edit-style goldens,
    // which size the picture to its content.
    EXPECT_EQ(Properties(*picture, {"AutoSize", "TabIndex", "DataSource"}), "0|1|dsORDERS");
    EXPECT_EQ(picture->IsFocusCtrl(), 0);
    EXPECT_EQ(AttributeAt(0).GetVisualizer()->GetKind(), CVisualizer::kPicture);
  }
}

TEST_F(DisplayControlTest, AVisualizerWhoseAttributeCannotBeNamedMakesNothing) {
  Load({Attribute(1, "LEVEL", R"("ES_TYP": 9)")});
  CAttribDesc& attribute = AttributeAt(0);
  ASSERT_EQ(attribute.AddProperty(Value::String(""), "PHYSICAL_NAME"), kOk);
  CGauge4Visualizer visualizer;
  ASSERT_EQ(visualizer.Init(&attribute), kOk);
  EXPECT_EQ(visualizer.CreateControls(), 5u);
  EXPECT_EQ(visualizer.DoBinding(), 5u);
  EXPECT_EQ(form().GetCtrlMap().size(), 1u);  // the data control only
}

}  // namespace
}  // namespace tavik
