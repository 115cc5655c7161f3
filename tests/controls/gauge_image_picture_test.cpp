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

TEST_F(DisplayControlTest, PictureOptionsOutsideTheirRangesFallBack) {
  auto with = [](int id, std::string_view options) {
    return Attribute(id, "P" + std::to_string(id), options);
  };
  Load({with(1, R"("ESPDRM": 17, "ESPDRW": 0, "ESPDRS": 7, "ESPALN": 3, "ESPBRD": 1)"),
        with(2, R"("ESPDRM": "16", "ESPDRW": 32767, "ESPDRS": 6, "ESPALN": "2", "ESPBRD": 0,
                   "ESPAUR": 1, "ESPAUS": "1", "ESPCLP": 2, "ES_WDT": "3000", "ES_HGT": 250)")});
  CCtrlDesc* fallen_back = Make<CPictVisualizer>(0);
  EXPECT_EQ(
      Properties(*fallen_back, {"DrawMode", "DrawWidth", "DrawStyle", "Align", "BorderStyle"}),
      "13|1|0|0|(none)");

  CCtrlDesc* chosen = Make<CPictVisualizer>(1);
  EXPECT_EQ(Properties(*chosen, {"DrawMode", "DrawWidth", "DrawStyle", "Align", "BorderStyle",
                                 "AutoRedraw", "AutoSize", "ClipControls", "Width", "Height"}),
            "16|32767|6|2|0|-1|-1|0|3000|250");
}

TEST_F(DisplayControlTest, GaugeTakesItsOptionsAndIsNotBoundByProperties) {
  Load({Attribute(1, "LEVEL",
                  R"("ES_TYP": 9, "ES_WDT": 2000, "ESGINB": 5, "ESGINL": 0, "ESGINR": -3,
                     "ESGMAX": 40000, "ESGMIN": "10", "ESGNDL": 3, "ESGSTY": 1, "ESGAUS": 1)"),
        Attribute(2, "RATE", R"("ESGSTY": 0, "ESGMAX": 32767, "ESGINT": 40, "ESGAUS": 2)")});
  CCtrlDesc* gauge = Make<CGaugeVisualizer>(0);
  EXPECT_EQ(Written(gauge),
            "\tBegin Gauge gauE1LEVEL\r\n"
            "\t\tName                =    \"gauE1LEVEL\"\r\n"
            "\t\tWidth               =    2000\r\n"
            "\t\tHeight              =    720\r\n"
            "\t\tInnerBottom         =    5\r\n"
            "\t\tMin                 =    10\r\n"
            "\t\tNeedleWidth         =    3\r\n"
            "\t\tAutoSize            =    -1\r\n"
            "\t\tBackColor           =    12632256\r\n"
            "\t\tForeColor           =    0\r\n"
            "\t\tTabIndex            =    0\r\n");
  EXPECT_EQ(gauge->IsFocusCtrl(), 1);
  EXPECT_EQ(AttributeAt(0).GetVisualizer()->GetKind(), CVisualizer::kGauge);

  CCtrlDesc* second = Make<CGaugeVisualizer>(1);
  EXPECT_EQ(Properties(*second, {"Width", "Height", "Style", "Max", "InnerTop", "AutoSize"}),
            "960|720|0|32767|40|0");

  // The code that follows the record is pinned by the every-edit-style goldens.
}

TEST_F(DisplayControlTest, GaugePictureIsLoadedWithTheForm) {
  Load({Attribute(1, "LEVEL", R"("ESGPIC": "C:\\PICS\\DIAL.BMP")"),
        Attribute(2, "RATE", R"("ESGPIC": "")")});
  Make<CGaugeVisualizer>(0);
  Make<CGaugeVisualizer>(1);
  EXPECT_EQ(Piece(form().GetEvent("Load"), 0),
            "\tgauE1LEVEL.Picture = LoadPicture(\"C:\\PICS\\DIAL.BMP\")\r\n");
}

TEST_F(DisplayControlTest, ImageHasNoColoursAndTakesNoTabIndex) {
  Load({Attribute(1, "SCAN", R"("ES_TYP": 10, "ESIBRD": 1)", R"(, "CD_BKC": "White")"),
        Attribute(2, "THUMB", R"("ESIBRD": 0, "ES_HGT": 450)"),
        Attribute(3, "PHOTO", R"("ES_TYP": 8)")});
  CCtrlDesc* image = Make<CImageVisualizer>(0);
  EXPECT_EQ(Property(*image, "BackColor"), "(none)");
  EXPECT_EQ(image->GetCtrlHandle(), 1u);
  EXPECT_EQ(image->IsFocusCtrl(), 0);
  EXPECT_EQ(AttributeAt(0).GetVisualizer()->GetKind(), CVisualizer::kImage);
  CCtrlDesc* thumb = Make<CImageVisualizer>(1);
  EXPECT_EQ(Property(*thumb, "BorderStyle"), "(none)");
  EXPECT_EQ(Property(*thumb, "Height"), "450");
  // Handles go on; the tab index counter was left where it was.
  CCtrlDesc* picture = Make<CPictVisualizer>(2);
  EXPECT_EQ(picture->GetCtrlHandle(), 3u);
  EXPECT_EQ(Property(*picture, "TabIndex"), "0");
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
