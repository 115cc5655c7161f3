// Tests of the control descriptor base and its kinds: identity, properties, file text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "controls/check_box_ctrl.h"
#include "controls/combo_box_ctrl.h"
#include "controls/ctrl_desc.h"
#include "controls/db_grid_ctrl.h"
#include "controls/far_point_grid_ctrl.h"
#include "controls/frame_ctrl.h"
#include "controls/gauge_ctrl.h"
#include "controls/image_ctrl.h"
#include "controls/label_ctrl.h"
#include "controls/list_box_ctrl.h"
#include "controls/mask_ed_ctrl.h"
#include "controls/option_button_ctrl.h"
#include "controls/pict_ctrl.h"
#include "controls/timer_ctrl.h"
#include "form/form_desc.h"

namespace tavik {
namespace {

class CtrlDescTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(form_.Init(0, nullptr, nullptr, nullptr, 4), kOk); }

  std::unique_ptr<CCtrlDesc> Control(const char* class_name, const char* name) {
    auto control = std::make_unique<CCtrlDesc>();
    EXPECT_EQ(control->Init(class_name, 4, &form_, nullptr), kOk);
    control->SetCtrlName(name);
    return control;
  }

  CFormDesc form_;
};

// The statuses of a kind's Init without a version and without a form.
template <typename Ctrl>
std::pair<Status, Status> InitRefusals(CFormDesc& form, std::uint16_t version = 4) {
  Ctrl control;
  return {control.Init(0, &form, nullptr), control.Init(version, nullptr, nullptr)};
}

TEST_F(CtrlDescTest, EveryKindRefusesAMissingVersionOrFormWithItsOwnStatus) {
  using Refusals = std::pair<Status, Status>;
  EXPECT_EQ(InitRefusals<CLabelCtrl>(form_), Refusals(1, 2));
  EXPECT_EQ(InitRefusals<CFrameCtrl>(form_), Refusals(4, 5));
  EXPECT_EQ(InitRefusals<CCheckBoxCtrl>(form_, 3), Refusals(1, 2));
  EXPECT_EQ(InitRefusals<CComboBoxCtrl>(form_, 3), Refusals(2, 3));
  EXPECT_EQ(InitRefusals<CListBoxCtrl>(form_, 3), Refusals(1, 2));
  EXPECT_EQ(InitRefusals<COptionButtonCtrl>(form_, 3), Refusals(1, 2));
  EXPECT_EQ(InitRefusals<CMaskEdCtrl>(form_, 3), Refusals(4, 5));
  EXPECT_EQ(InitRefusals<CGaugeCtrl>(form_, 3), Refusals(4, 5));
  EXPECT_EQ(InitRefusals<CPictCtrl>(form_), Refusals(1, 2));
  EXPECT_EQ(InitRefusals<CImageCtrl>(form_), Refusals(1, 2));
  EXPECT_EQ(InitRefusals<CDBGridCtrl>(form_), Refusals(4, 5));
  EXPECT_EQ(InitRefusals<CFarPointGridCtrl>(form_, 3), Refusals(4, 5));
}

// The class of each kind is in the goldens; the timer's refusals and sizing are not.
TEST_F(CtrlDescTest, TimerRefusesAMissingVersionOrFormAndKeepsItsClass) {
  CTimerCtrl timer;
  EXPECT_EQ(timer.Init(0, &form_), 1u);
  EXPECT_EQ(timer.Init(3, nullptr), 2u);
  ASSERT_EQ(timer.Init(3, &form_), kOk);
  EXPECT_EQ(timer.GetClassName(), "Timer");
  EXPECT_EQ(timer.DoWidthHeight(), kOk);
  EXPECT_TRUE(timer.GetPropertySection().GetPropertyList().empty());

  EXPECT_EQ(timer.SetClassName(nullptr), kNoMemory);
  EXPECT_EQ(timer.GetClassName(), "Timer");
}

TEST_F(CtrlDescTest, PropertiesKeepThePlaceOfTheirFirstAddition) {
  auto control = Control("TextBox", "txtCITY");
  ASSERT_EQ(control->AddProperty(Value::Single(1000), "Width"), kOk);
  ASSERT_EQ(control->AddProperty(Value::String("CITY"), "DataField"), kOk);
  ASSERT_EQ(control->AddProperty(Value::Single(1600), "Width"), kOk);
  ASSERT_EQ(control->AddProperty(Value::String("ODBC;"), "Connect"), kOk);
  const auto& properties = control->GetPropertySection().GetPropertyList();
  ASSERT_EQ(properties.size(), 3u);
  EXPECT_EQ(properties[0]->GetId(), 3);
  EXPECT_EQ(properties[2]->GetId(), 5);
  EXPECT_EQ(control->GetProperty("Width")->AsSingle(), 1600.0f);
  EXPECT_FALSE(control->GetProperty("Height"));
  EXPECT_EQ(control->GetConnectString(), "ODBC;");
  EXPECT_FALSE(control->GetRecordSourceString());

  std::string text;
  ASSERT_EQ(control->WriteCtrlToFile(text, 1), kOk);
  EXPECT_EQ(text,
            "\tBegin TextBox txtCITY\r\n"
            "\t\tWidth               =    1600\r\n"
            "\t\tDataField           =    \"CITY\"\r\n"
            "\t\tConnect             =    \"ODBC;\"\r\n");
}

TEST_F(CtrlDescTest, ContainersWriteTheirPresentChildrenOneLevelDeeper) {
  auto frame = Control("Frame", "fraSTATUS");
  auto first = Control("OptionButton", "optOPEN");
  ASSERT_EQ(first->AddProperty(Value::String("Open"), "Caption"), kOk);
  ASSERT_EQ(first->GetEvent("Click")->AddSubEventCode("\tOpen\r\n", 0, 1, -1, 1), kOk);
  auto absent = Control("OptionButton", "optGONE");
  ASSERT_EQ(absent->GetEvent("Click")->AddSubEventCode("\tGone\r\n", 0, 1, -1, 1), kOk);
  auto second = Control("OptionButton", "optCLOSED");
  frame->AddChild(ChildEntry{1, 1, 0, 1000, std::move(first)});
  frame->AddChild(ChildEntry{1, 0, 0, 1000, std::move(absent)});
  frame->AddChild(ChildEntry{1, 1, 0, 1000, std::move(second)});
  frame->GetEvent("DblClick")->AddDeclarations("\tDim n\r\n");

  std::string text;
  ASSERT_EQ(frame->WriteCtrlToFile(text, 2), kOk);
  EXPECT_EQ(text,
            "\t\tBegin Frame fraSTATUS\r\n"
            "\t\t\tBegin OptionButton optOPEN\r\n"
            "\t\t\t\tCaption             =    \"Open\"\r\n"
            "\t\t\tEnd\r\n"
            "\t\t\tBegin OptionButton optCLOSED\r\n"
            "\t\t\tEnd\r\n");

  std::string code;
  ASSERT_EQ(frame->WriteEventsToFile(code, 0), kOk);
  EXPECT_EQ(code,
            "Sub fraSTATUS_DblClick()\r\n"
            "' Tavik Generated Declarations\r\n"
            "\tDim n\r\n"
            "\r\n"
            "End Sub\r\n"
            "\r\n"
            "Sub optOPEN_Click()\r\n"
            "' Tavik Generated Code Section\r\n"
            "\tOpen\r\n"
            "\r\n"
            "End Sub\r\n"
            "\r\n");
}

}  // namespace
}  // namespace tavik
