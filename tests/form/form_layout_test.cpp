// Tests of layout groups, the row-by-row layout, placement, the close button and the timer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/frame_ctrl.h"
#include "controls/label_ctrl.h"
#include "controls/timer_ctrl.h"
#include "form/ctrl_group.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"

namespace tavik {
namespace {

class FormLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(form_.Init(0, nullptr, nullptr, nullptr, 4), kOk);
    ASSERT_EQ(form_.SetFormName("Orders"), kOk);
  }

  // A control owned by the form, with the given size (a negative size is left out).
  template <typename Ctrl = CCtrlDesc>
  Ctrl* Control(float width, float height) {
    auto control = std::make_unique<Ctrl>();
    EXPECT_EQ(static_cast<CCtrlDesc&>(*control).Init("TextBox", 4, &form_, nullptr), kOk);
    if (width >= 0) {
      EXPECT_EQ(control->AddProperty(Value::Single(width), "Width"), kOk);
    }
    if (height >= 0) {
      EXPECT_EQ(control->AddProperty(Value::Single(height), "Height"), kOk);
    }
    control->SetCtrlHandle(form_.GetCurrCtrlHandle());
    Ctrl* result = control.get();
    EXPECT_EQ(form_.SetCtrl(std::move(control)), kOk);
    return result;
  }

  static CCtrlPosItem* Add(CCtrlGroup& group, CCtrlDesc* control, std::int32_t column = 0) {
    auto item = std::make_unique<CCtrlPosItem>(control, 0, 0.0f, 0.0f);
    item->column = column;
    CCtrlPosItem* result = item.get();
    EXPECT_EQ(group.AddItem(std::move(item)), kOk);
    return result;
  }

  static float Prop(CCtrlDesc* control, const char* name) {
    auto value = control->GetProperty(name);
    return value ? value->AsSingle() : -1.0f;
  }

  CFormDesc form_;
};

// A width from the model may have a fraction; columns stand on whole twips, cut, not rounded.
TEST(CtrlGroup, ColumnPositionsAreCutToWholeTwips) {
  CCtrlGroup group(2, 0.0f, 0.0f);
  ASSERT_EQ(group.SetColumnPosition(1, 1234.9f), kOk);
  EXPECT_EQ(group.GetColumnPosition(1), 1234.0f);
}

TEST_F(FormLayout, RowsAdvanceByTheHeightOfTheControlThatEndsThem) {
  CCtrlGroup group(2, 0.0f, 0.0f);
  ASSERT_EQ(group.SetColumnPosition(1, 1500.0f), kOk);
  auto* first = Add(group, Control(1000, 300));
  auto* second = Add(group, Control(1000, 300));
  auto* third = Add(group, Control(1000, 600));
  // A label shares the row of the text box beside it.
  auto* label = Add(group, Control<CLabelCtrl>(800, 250));
  auto* text = Add(group, Control(1000, 300), 1);
  // A timer sits at the group's origin and moves nothing.
  auto* timer = Add(group, Control<CTimerCtrl>(-1, -1), 1);
  form_.LayoutGroup(group);

  EXPECT_EQ(first->y, 0.0f);
  EXPECT_EQ(second->y, 350.0f);
  EXPECT_EQ(third->y, 700.0f);
  EXPECT_EQ(label->x, 0.0f);
  EXPECT_EQ(label->y, 1350.0f);
  EXPECT_EQ(text->x, 1500.0f);
  EXPECT_EQ(text->y, 1350.0f);
  EXPECT_EQ(timer->x, 0.0f);
  EXPECT_EQ(timer->y, 0.0f);
  EXPECT_EQ(group.GetCurrentY(), 1700);

  CCtrlPosItem item(Control(100, 100), 0, 0.0f, 0.0f);

  // A frame adds only the gap below its first row; its buttons advance the rows.
  auto* frame = Control<CFrameCtrl>(3000, 900);
  EXPECT_EQ(frame->DoLayout(item, group), kOk);
  EXPECT_EQ(group.GetCurrentY(), 1750);
}

TEST_F(FormLayout, SubGroupsContinueBelowAndLeaveAGapAfterAContainer) {
  CCtrlGroup group(1, 0.0f, 0.0f);
  Add(group, Control(1000, 300));
  auto plain = std::make_unique<CCtrlGroup>(1, 0.0f, 0.0f);
  Add(*plain, Control(1000, 200));
  CCtrlGroup* plain_group = plain.get();
  ASSERT_EQ(group.AddItem(std::move(plain)), kOk);
  form_.LayoutGroup(group);
  EXPECT_EQ(plain_group->GetCurrentY(), 600);  // started at 350
  EXPECT_EQ(group.GetCurrentY(), 600);

  // Behind a container control the sub-group's rows count from the container's top.
  CCtrlGroup outer(1, 0.0f, 0.0f);
  CCtrlDesc* frame = Control<CFrameCtrl>(3000, 900);
  frame->AddChild(ChildEntry{1, 1, 0, 1000, std::make_unique<CCtrlDesc>()});
  Add(outer, frame);
  auto inside = std::make_unique<CCtrlGroup>(1, 0.0f, 0.0f);
  inside->SetCurrentY(200);
  Add(*inside, Control(1000, 300));
  ASSERT_EQ(outer.AddItem(std::move(inside)), kOk);
  form_.LayoutGroup(outer);
  EXPECT_EQ(outer.GetCurrentY(), 50 + 550 + 100);
}

TEST_F(FormLayout, PlacementStacksEntityGroupsAndMeasuresTheForm) {
  auto first = std::make_unique<CCtrlGroup>(2, 0.0f, 0.0f);
  ASSERT_EQ(first->SetColumnPosition(1, 1500.0f), kOk);
  CCtrlDesc* a = Control(1000, 300);
  CCtrlDesc* b = Control(2000, 400);
  Add(*first, a);
  Add(*first, b, 1);
  form_.LayoutGroup(*first);
  auto second = std::make_unique<CCtrlGroup>(1, 0.0f, 0.0f);
  CCtrlDesc* c = Control(-1, 300);  // no width: the right edge stays
  Add(*second, c);
  form_.LayoutGroup(*second);
  ASSERT_EQ(form_.GetCtrlGroup().AddItem(std::move(first)), kOk);
  ASSERT_EQ(form_.GetCtrlGroup().AddItem(std::move(second)), kOk);

  float width = 200.0f;
  float height = 200.0f;
  form_.PlaceControls(width, height);
  EXPECT_EQ(Prop(a, "Left"), 200.0f);
  EXPECT_EQ(Prop(a, "Top"), 200.0f);
  EXPECT_EQ(Prop(b, "Left"), 1700.0f);
  EXPECT_EQ(Prop(b, "Top"), 550.0f);
  EXPECT_EQ(Prop(c, "Left"), 200.0f);
  EXPECT_EQ(Prop(c, "Top"), 950.0f + 300.0f);
  EXPECT_EQ(width, 3700.0f);
  EXPECT_EQ(height, 1550.0f);

  // The close button stands right of the content, level with its first row.
  float top = 200.0f;
  ASSERT_EQ(form_.AddCloseButton(width, top), kOk);
  EXPECT_EQ(width, 4900.0f);
  EXPECT_EQ(top, 600.0f);
  // Its text and code are pinned by the goldens.
  EXPECT_EQ(form_.GetCtrl(3)->GetCtrlName(), "cmdOrdersClose");
}

}  // namespace
}  // namespace tavik
