// Tests of the control descriptor base and its kinds: identity, properties, file text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "controls/ctrl_desc.h"
#include "form/form_desc.h"
#include "formfile/block_printer.h"

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

TEST_F(CtrlDescTest, PropertiesKeepThePlaceOfTheirFirstAddition) {
  auto control = Control("TextBox", "txtCITY");
  ASSERT_EQ(control->AddProperty(Value::Single(1000), "Width"), kOk);
  ASSERT_EQ(control->AddProperty(Value::String("CITY"), "DataField"), kOk);
  // Named by its constant, the name given by its text is the same property.
  ASSERT_EQ(control->AddProperty(Value::Single(1600), ctrl_props::kWidth), kOk);
  ASSERT_EQ(control->AddProperty(Value::String("ODBC;"), "Connect"), kOk);
  const auto& properties = control->GetPropertySection().GetPropertyList();
  ASSERT_EQ(properties.size(), 3u);
  EXPECT_EQ(control->FindProperty(ctrl_props::kDataField)->AsString(), "CITY");
  EXPECT_FALSE(control->FindProperty(ctrl_props::kHeight));
  EXPECT_EQ(properties[0].GetId(), 3);
  EXPECT_EQ(properties[2].GetId(), 5);
  EXPECT_EQ(control->GetProperty("Width")->AsSingle(), 1600.0f);
  EXPECT_FALSE(control->GetProperty("Height"));
  EXPECT_EQ(control->GetConnectString(), "ODBC;");
  EXPECT_FALSE(control->GetRecordSourceString());

  std::string text;
  formfile::BlockPrinter printer(text);
  control->OpenBlock(printer);
  EXPECT_EQ(text,
            "Begin TextBox txtCITY\r\n"
            "\tWidth               =    1600\r\n"
            "\tDataField           =    \"CITY\"\r\n"
            "\tConnect             =    \"ODBC;\"\r\n");
}

// Past the 255 properties whose places a control keeps, the names every control is given
// still make one property each, whether given by their text or their constant.
TEST_F(CtrlDescTest, AControlOfManyPropertiesKeepsOnePropertyOfEachName) {
  auto control = Control("Label", "lblMANY");
  ASSERT_EQ(control->AddProperty(Value::String("Many"), ctrl_props::kCaption), kOk);
  for (int index = 0; index < 300; ++index) {
    ASSERT_EQ(control->AddProperty(Value::Short(1), "Tag" + std::to_string(index)), kOk);
  }
  ASSERT_EQ(control->AddProperty(Value::Single(100), "Width"), kOk);
  ASSERT_EQ(control->AddProperty(Value::Single(200), ctrl_props::kWidth), kOk);
  ASSERT_EQ(control->AddProperty(Value::String("More"), "Caption"), kOk);
  const auto& properties = control->GetPropertySection().GetPropertyList();
  ASSERT_EQ(properties.size(), 302u);
  EXPECT_EQ(properties.back().GetName(), "Width");
  const Value* width = control->FindProperty(ctrl_props::kWidth);
  const Value* caption = control->FindProperty(ctrl_props::kCaption);
  ASSERT_TRUE(width && caption);
  EXPECT_EQ(width->AsSingle(), 200.0f);
  EXPECT_EQ(caption->AsString(), "More");
  EXPECT_FALSE(control->FindProperty(ctrl_props::kHeight));
}

TEST_F(CtrlDescTest, ContainersWriteTheirPresentChildrenOneLevelDeeper) {
  auto frame = Control("Frame", "fraSTATUS");
  auto first = Control("OptionButton", "optOPEN");
  ASSERT_EQ(first->AddProperty(Value::String("Open"), "Caption"), kOk);
  first->GetEvent("Click")->Append(SubEvent::kMain, SubEventSlot::kBody, "\tOpen\r\n");
  auto absent = Control("OptionButton", "optGONE");
  absent->GetEvent("Click")->Append(SubEvent::kMain, SubEventSlot::kBody, "\tGone\r\n");
  auto second = Control("OptionButton", "optCLOSED");
  frame->AddChild(ChildEntry{1, 1, 0, 1000, std::move(first)});
  frame->AddChild(ChildEntry{1, 0, 0, 1000, std::move(absent)});
  frame->AddChild(ChildEntry{1, 1, 0, 1000, std::move(second)});
  frame->GetEvent("DblClick")->AddDeclarations("\tDim n\r\n");

  std::string text;
  formfile::BlockPrinter printer(text);
  frame->WriteCtrlToFile(printer);
  EXPECT_EQ(text,
            "Begin Frame fraSTATUS\r\n"
            "\tBegin OptionButton optOPEN\r\n"
            "\t\tCaption             =    \"Open\"\r\n"
            "\tEnd\r\n"
            "\tBegin OptionButton optCLOSED\r\n"
            "\tEnd\r\n"
            "End\r\n");

  std::string code;
  formfile::BlockPrinter code_printer(code);
  frame->WriteEventsToFile(code_printer);
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
