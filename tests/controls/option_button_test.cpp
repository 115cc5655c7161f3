// Tests of option groups: the frame and its buttons, their layout, properties and code.
#include "controls/option_button_ctrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/control_test.h"
#include "fakes/model_text.h"
#include "platform/text_measurer.h"
#include "visualizers/option_button_visualizer.h"

namespace tavik {
namespace {

// Each character 100 twips wide, so that captions of different lengths differ in width.
class PerCharacterMeasurer : public TextMeasurer {
 public:
  TextExtent Measure(std::string_view text, std::string_view /*font_name*/, float /*font_size*/,
                     int /*pixels_per_inch_x*/, int /*pixels_per_inch_y*/) override {
    return {static_cast<std::uint16_t>(100 * text.size()), 200};
  }
};

Platform WithMeasurer(TextMeasurer* measurer) {
  Platform platform = CurrentPlatform();
  platform.text_measurer = measurer;
  return platform;
}

// An attribute of ORDERS with the edit style's list of five colours; options go into the
// edit-style group, column into the control property group.
std::string Attribute(int id, std::string_view column_name, std::string_view options,
                      std::string_view column = "", std::string_view required = "0") {
  return testing::AttributeText(
      id, column_name,
      std::string(testing::kPlainNames) + R"(, "REQUIRED": )" + std::string(required),
      testing::Group("COL_PROP", R"j("CD_TYP": "CHAR(1)")j" + std::string(column)) +
          testing::Group("CP_EST", R"("ES_TYP": 1, "ES_VLD": 1)" + std::string(options)) +
          testing::Group("ES_VLD_RULE", R"("NAME": "Colours")") +
          R"(, "ES_VLD_VALUE": [["Red", "R"], ["Green", "G"], ["Blue", "B"], ["Cyan", "C"],
             ["Magenta", "M"]])");
}

class OptionButtonTest : public testing::ControlTest {
 protected:
  OptionButtonTest() : ControlTest(DataSource::kEntity) {}

  // Runs the visualizer of the attribute up to its binding and hands it back.
  template <typename Visualizer = COptionButtonVisualizer>
  COptionButtonVisualizer* Make(std::size_t index) {
    return Visualize<Visualizer>(index, {.edit_style = 1, .binding = true});
  }

  static CCtrlDesc* Frame(COptionButtonVisualizer& visualizer) {
    for (const auto& item : visualizer.GetCtrlGroup()->GetItems()) {
      if (item->GetType() != CPosListItem::kControlItem) continue;
      CCtrlDesc* control = static_cast<CCtrlPosItem&>(*item).GetCtrl();
      if (control->GetClassName() == "Frame") return control;
    }
    return nullptr;
  }
  static CCtrlGroup* OptionGroup(COptionButtonVisualizer& visualizer) {
    const auto& items = visualizer.GetCtrlGroup()->GetItems();
    return items.back()->GetType() == CPosListItem::kGroupItem
               ? static_cast<CCtrlGroup*>(items.back().get())
               : nullptr;
  }
  static std::string PropertyNames(const CCtrlDesc& control) {
    std::string names;
    for (const auto& property : control.GetPropertySection().GetPropertyList()) {
      names += (names.empty() ? "" : " ") + property->GetName();
    }
    return names;
  }

  PerCharacterMeasurer measurer_;
  ScopedPlatform measuring_{WithMeasurer(&measurer_)};
};

TEST_F(OptionButtonTest, FiveEntriesTwoToARowMakeAFrameOfThreeRows) {
  Load({Attribute(1, "COLOUR", R"(, "ESRACC": 2)", R"(, "CD_PLB": "Colour")")});
  COptionButtonVisualizer* visualizer = Make(0);
  EXPECT_EQ(visualizer->GetOptionCount(), 5);
  CCtrlDesc* frame = Frame(*visualizer);
  ASSERT_NE(frame, nullptr);
  // Widest caption "Magenta": 700 + 250; columns at 100, 1150 and 2200.
  EXPECT_EQ(Property(*frame, "Width"), "2200");
  EXPECT_EQ(Property(*frame, "Height"), "900");
  EXPECT_EQ(form().GetCtrl(frame->GetCtrlHandle()), frame);

  // Label, frame, then the buttons' own group behind the frame.
  const auto& items = visualizer->GetCtrlGroup()->GetItems();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items.front()->column, 0);
  CCtrlGroup* options = OptionGroup(*visualizer);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->GetColumnCount(), 3);

  ASSERT_EQ(form().LayoutGroup(*visualizer->GetCtrlGroup()), kOk);
  std::vector<std::string> placed;
  for (const auto& item : options->GetItems()) {
    EXPECT_EQ(item->order, 1);
    placed.push_back(std::to_string(item->column) + "@" + std::to_string(int(item->x)) + "," +
                     std::to_string(int(item->y)));
  }
  EXPECT_EQ(placed, (std::vector<std::string>{"0@100,100", "1@1150,100", "0@100,350", "1@1150,350",
                                              "0@100,600"}));
  // The frame's 50, its rows, and a gap of 100 below the container.
  EXPECT_EQ(visualizer->GetCtrlGroup()->GetCurrentY(), 750);

  // Each button as wide as its caption and the 250 of its circle; the frame's text, the
  // buttons' and their code are pinned by the option-group goldens.
  std::vector<int> widths;
  for (const auto& child : frame->GetGroupList()) widths.push_back(child.size);
  EXPECT_EQ(widths, (std::vector<int>{550, 750, 650, 650, 950}));
}

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
