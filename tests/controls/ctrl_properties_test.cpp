// Tests of translating an attribute's model properties into control properties, and sizing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/ctrl_desc.h"
#include "controls/label_ctrl.h"
#include "entity/attrib_desc.h"
#include "fakes/attribute_visualizer.h"
#include "fakes/scoped_fakes.h"
#include "form/form_desc.h"
#include "model/entity.h"

namespace tavik {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> g_style_values;

Status RecordStyle(CCtrlDesc& /*control*/, const std::optional<Value>& value) {
  g_style_values.push_back(value ? value->Text() : "absent");
  return 7;  // a handler's status is not passed on
}

constexpr ESDESC kStyles[] = {{8, "ESESEL", RecordStyle},
                              {9, "ESEPWD", RecordStyle},
                              {10, "ESENONE", nullptr},
                              {-1, nullptr, nullptr}};

// A control kind that translates like the data-bound kinds do.
class TranslatedCtrl : public CCtrlDesc {
 public:
  TranslatedCtrl() { SetTables(col_prop_lookup, kStyles); }
};

class CtrlProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(form_.Init(0, nullptr, nullptr, nullptr, 4), kOk);
    ASSERT_EQ(entity_.Init("E1", &form_), kOk);
    ASSERT_EQ(attribute_.Init(&entity_), kOk);
    fakes_.text_measurer.extent = {1200, 195};
    g_style_values.clear();
  }

  void ColProp(const char* name, Value value) {
    attribute_.AddGroupProperty(attribute_.AddTvkGroup(0), std::move(value), name);
  }
  void EditStyle(const char* name, Value value) {
    attribute_.AddGroupProperty(attribute_.AddTvkGroup(2), std::move(value), name);
  }

  template <typename Ctrl = TranslatedCtrl>
  std::unique_ptr<Ctrl> Translated() {
    auto control = std::make_unique<Ctrl>();
    EXPECT_EQ(static_cast<CCtrlDesc&>(*control).Init("TextBox", 4, &form_, &visualizer_), kOk);
    control->IsFocusCtrl(1);
    EXPECT_EQ(control->HandleProperties(), kOk);
    return control;
  }

  static std::vector<std::string> Lines(const CCtrlDesc& control) {
    std::vector<std::string> lines;
    for (const auto& property : control.GetPropertySection().GetPropertyList()) {
      lines.push_back(property.GetName() + "=" + property.GetText());
    }
    return lines;
  }

  testing::ScopedFakes fakes_;
  CFormDesc form_;
  CEntity entity_;
  CAttribDesc attribute_;
  testing::AttributeVisualizer visualizer_{&attribute_};
};

// Which model properties become which control properties, in what order, and what values
// outside the tables give, are pinned by the column-properties golden.
TEST_F(CtrlProperties, TheTablesAreReadAsTheControlsTranslateThem) {
  EditStyle("ESEPWD", Value::Long('*'));
  ColProp("CD_FSZ", Value::String("10.5pt"));
  ColProp("CD_FNM", Value::String("Arial"));
  ColProp("CD_HLP", Value::Long(12));
  ColProp("CD_RO", Value::Long('y'));
  ColProp("CD_VSB", Value::String("N"));
  auto control = Translated();
  EXPECT_EQ(control->GetProperty("FontSize")->AsSingle(), 10.5f);
  EXPECT_EQ(control->GetProperty("HelpContextID")->type(), TVK_VT_I4);
  EXPECT_EQ(control->GetProperty("Visible")->type(), TVK_VT_I2);
  EXPECT_EQ(control->IsFocusCtrl(), 0);
  // The size is measured in the default font: CD_FNM and CD_FSZ only name the control's.
  EXPECT_EQ(fakes_.text_measurer.last_font, "MS Sans Serif");
  EXPECT_EQ(fakes_.text_measurer.last_size, 8.0f);
  // Every style row is read from the edit-style group, absent or not.
  EXPECT_THAT(g_style_values, ElementsAre("absent", "42"));
  EXPECT_EQ(control->FindEditStyle("ESEPWD"), &kStyles[1]);
  EXPECT_EQ(control->FindEditStyle("esepwd"), nullptr);

  // Without the colour bits the defaults are not added; without an attribute the colours
  // fall back to Silver and Black.
  auto plain = std::make_unique<TranslatedCtrl>();
  ASSERT_EQ(plain->Init("Image", 4, &form_, nullptr), kOk);
  plain->SetColorsMask(0xC);
  ASSERT_EQ(plain->HandleProperties(), kOk);
  EXPECT_THAT(Lines(*plain), ElementsAre("Width=1600", "Height=195"));
  plain->SetColorsMask(0xFFFF);
  ASSERT_EQ(plain->HandleProperties(), kOk);
  EXPECT_THAT(Lines(*plain),
              ElementsAre("Width=1600", "Height=195", "BackColor=12632256", "ForeColor=0"));
}

TEST_F(CtrlProperties, AnEditStyleSizeHoldsUntilTheControlIsMeasuredAgain) {
  CCtrlDesc base;
  EXPECT_EQ(base.AdjustCtrlWidth(1200), 1600);
  EXPECT_EQ(base.AdjustCtrlWidth(1201), 1600);
  EXPECT_EQ(base.AdjustCtrlWidth(399), 400);
  EXPECT_EQ(base.AdjustCtrlWidth(400), 800);
  EXPECT_EQ(base.AdjustCtrlWidth(0), 400);

  ColProp("FNM", Value::String("Arial"));
  ColProp("FSZ", Value::String("10"));
  EditStyle("ES_WDT", Value::String("500"));
  EditStyle("ES_HGT", Value::Long(300));
  auto sized = Translated();
  EXPECT_EQ(fakes_.text_measurer.last_font, "Arial");
  EXPECT_EQ(fakes_.text_measurer.last_size, 10.0f);
  ASSERT_EQ(sized->DoWidthHeight(0), kOk);
  EXPECT_EQ(sized->GetProperty("Width")->AsSingle(), 1600.0f);
  EXPECT_EQ(sized->GetProperty("Height")->AsSingle(), 195.0f);
}

TEST_F(CtrlProperties, ALabelIsMeasuredOnItsCaptionToTheNextHundredTwips) {
  EditStyle("ES_WDT", Value::String("3000"));
  EditStyle("ES_PTR", Value::Long(2));
  auto label = std::make_unique<CLabelCtrl>();
  ASSERT_EQ(label->Init(4, &form_, &visualizer_), kOk);
  const std::string caption = "A caption of thirty-seven characters.";
  ASSERT_EQ(caption.size(), 37u);
  ASSERT_EQ(label->AddProperty(Value::String(caption), "Caption"), kOk);
  fakes_.text_measurer.extent = {1234, 195};
  ASSERT_EQ(label->HandleProperties(), kOk);
  EXPECT_EQ(fakes_.text_measurer.last_text, caption);
  EXPECT_THAT(Lines(*label), ElementsAre("Caption=" + caption, "Width=1300", "Height=195",
                                         "MousePointer=2", "BackColor=12632256", "ForeColor=0"));
  fakes_.text_measurer.extent = {1300, 195};
  ASSERT_EQ(label->DoWidthHeight(), kOk);
  EXPECT_EQ(label->GetProperty("Width")->AsSingle(), 1400.0f);

  // An empty caption gives no sample; the base sample of the column type is measured.
  ASSERT_EQ(label->AddProperty(Value::String(""), "Caption"), kOk);
  EXPECT_FALSE(label->GetWidthSample());
  ASSERT_EQ(label->DoWidthHeight(), kOk);
  EXPECT_EQ(fakes_.text_measurer.last_text, "xx");
}

}  // namespace
}  // namespace tavik
