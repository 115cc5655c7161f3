// Tests of the form file: the form block, the scroll panel and bars, and the code part.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "controls/ctrl_desc.h"
#include "fakes/scoped_fakes.h"
#include "form/form_desc.h"
#include "formfile/written_forms.h"

namespace tavik {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::string g_written_path;

int32_t RecordWrittenPath(CClntDesc* /*self*/, const char* path) {
  g_written_path = path;
  return 0;
}

class FormFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ops_.FormFileWritten = RecordWrittenPath;
    client_.ops = &ops_;
    client_.can_write_to_file = 1;
    ASSERT_EQ(form_.Init(0, nullptr, nullptr, &client_, 3), kOk);
    path_ = ::testing::TempDir() + "form_file_test_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".frm";
    form_.SetFilespec(path_);
    g_written_path.clear();
  }
  void TearDown() override { std::filesystem::remove(path_); }

  CCtrlDesc* Control(const char* class_name, const char* name) {
    auto control = std::make_unique<CCtrlDesc>();
    EXPECT_EQ(control->Init(class_name, 3, &form_, nullptr), kOk);
    control->SetCtrlName(name);
    EXPECT_EQ(control->AddProperty(Value::String(name), "Name"), kOk);
    control->SetCtrlHandle(form_.GetCurrCtrlHandle());
    CCtrlDesc* result = control.get();
    EXPECT_EQ(form_.SetCtrl(std::move(control)), kOk);
    return result;
  }

  std::string Written() const {
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  testing::ScopedFakes fakes_;
  CClntDescOps ops_{};
  CClntDesc client_{};
  CFormDesc form_;
  std::string path_;
};

TEST_F(FormFile, AScrollingFormNestsItsControlsInThePanelAndAddsBothBars) {
  ASSERT_EQ(form_.SetFormName("Orders"), kOk);
  ASSERT_EQ(form_.SetFormCaptionString("Order \"Entry\""), kOk);
  ASSERT_EQ(form_.AddProperty(Value::Long(0xC0C0C0), "BackColor"), kOk);
  ASSERT_EQ(form_.AddProperty(Value::Single(5000), "Width"), kOk);
  ASSERT_EQ(form_.AddProperty(Value::Single(4000), "Height"), kOk);
  ASSERT_EQ(form_.AddProperty(Value::Single(4800), "FormWidth"), kOk);
  ASSERT_EQ(form_.AddProperty(Value::Single(3600), "FormHeight"), kOk);
  ASSERT_EQ(form_.AddProperty(Value::Short(1), "AVeryLongPropertyNameHere"), kOk);
  form_.SetFormVScrolling(1);

  CCtrlDesc* city = Control("TextBox", "txtCITY");
  ASSERT_EQ(city->AddProperty(Value::String("CITY"), "DataField"), kOk);
  city->GetEvent("KeyPress")->Append(SubEvent::kMain, SubEventSlot::kBody, "\ttk_SetEditMode\r\n");
  CCtrlDesc* hidden = Control("TextBox", "txtHIDDEN");
  hidden->SetDrawFlag(0);
  hidden->GetEvent("Click")->Append(SubEvent::kMain, SubEventSlot::kBody, "\tx\r\n");
  ASSERT_EQ(form_.AddGlobalDeclaration("Option Explicit\r\n"), kOk);
  form_.MakeProcedure("ORDERS_Reset")->AddDeclarations("\tDim x\r\n");

  formfile::WrittenForms written;
  ASSERT_EQ(form_.GenerateForm(1, 0), kOk);
  EXPECT_EQ(g_written_path, path_);
  // What the printer counted is heard once the file is in place: the panel, the control
  // drawn and both bars, and the panel's size.
  const formfile::FormTally* tally = written.Find(path_);
  ASSERT_NE(tally, nullptr);
  EXPECT_EQ(tally->control_blocks, 4u);
  EXPECT_THAT(tally->classes,
              ::testing::ElementsAre("HScrollBar", "SSPanel", "TextBox", "VScrollBar"));
  EXPECT_EQ(tally->panel_height, 4000);
  EXPECT_EQ(city->GetDrawFlag(), 0);
  // The panel, the bars and their code are pinned by the scrolling golden; here the form's
  // own lines (quotes kept, a long name not padded, the size grown by the bars), the panel
  // sized to the form and a hidden control left out with its code.
  std::string text = Written();
  EXPECT_THAT(text, StartsWith("VERSION 2.00\r\n"
                               "Begin Form Orders\r\n"
                               "\tCaption = \"Order \"\"Entry\"\"\"\r\n"
                               "\tName                =    \"Orders\"\r\n"
                               "\tCaption             =    \"Order \"\"Entry\"\"\"\r\n"
                               "\tBackColor           =    12632256\r\n"
                               "\tWidth               =    5215\r\n"
                               "\tHeight              =    4485\r\n"
                               "\tFormWidth           =    4800\r\n"
                               "\tFormHeight          =    3600\r\n"
                               "\tAVeryLongPropertyNameHere=    1\r\n"
                               "\tBegin SSPanel tvkSSPanel\r\n"
                               "\t\tName                =    \"tvkSSPanel\"\r\n"
                               "\t\tCaption             =    \"\"\r\n"
                               "\t\tHeight              =    4000\r\n"
                               "\t\tWidth               =    5000\r\n"));
  EXPECT_THAT(text, HasSubstr("\t\tBegin TextBox txtCITY\r\n"
                              "\t\t\tName                =    \"txtCITY\"\r\n"
                              "\t\t\tDataField           =    \"CITY\"\r\n"
                              "\t\tEnd\r\n"
                              "\tEnd\r\n"
                              "\tBegin HScrollBar tvkHScrollBar\r\n"));
  EXPECT_THAT(text, HasSubstr("' Tavik-Generated Global Declarations\r\n"
                              "Option Explicit\r\n"
                              "\r\n"
                              "' Tavik-Generated Form Level Procedure\r\n"
                              "Sub ORDERS_Reset()\r\n"
                              "'Tavik Generated Declarations\r\n"));
  EXPECT_THAT(text, Not(HasSubstr("HIDDEN")));
}

TEST_F(FormFile, APlainFormWritesControlsAtDepthOneAndAnEmptyDeclarationLine) {
  ASSERT_EQ(form_.SetFormName("Orders"), kOk);
  CCtrlDesc* data = Control("Data", "datOrders");
  CEventDesc* validate = data->GetEvent("Validate");
  validate->AddDeclarations("\tDim n As Integer\r\n");
  form_.GetEvent("Unload")->AddDeclarations("\tDim m\r\n");

  ASSERT_EQ(form_.GenerateForm(0, 0), kOk);
  EXPECT_EQ(g_written_path, "");
  // A form event's declaration heading ends in a blank, a control event's does not.
  EXPECT_THAT(Written(), HasSubstr("\tEnd\r\n"
                                   "End\r\n"
                                   "\r\n"
                                   "Sub Form_Unload()\r\n"
                                   "' Tavik Generated Declarations \r\n"));
}

TEST_F(FormFile, OutputTheClientCannotTakeIsRefused) {
  ASSERT_EQ(form_.SetFormName("Orders"), kOk);
  EXPECT_EQ(form_.GenerateForm(0, 1), 4u);
  client_.can_write_to_file = 0;
  EXPECT_EQ(form_.GenerateForm(1, 0), 5u);
  client_.can_write_to_file = 1;
  // A scrolling form needs its size to build the panel.
  form_.SetFormHScrolling(1);
  EXPECT_EQ(form_.GenerateForm(1, 0), kMissingProperty);
  EXPECT_FALSE(std::filesystem::exists(path_));
}

}  // namespace
}  // namespace tavik
