// The environment building a live form from the client operations and saving it.
#include "environment/environment_client.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/cli_run.h"
#include "model/value.h"
#include "platform/window_text.h"

namespace fs = std::filesystem;

namespace tavik::environment {
namespace {

class EnvironmentClientTest : public ::testing::Test {
 protected:
  static void Set(EnvironmentClient& client, TVK_HANDLE form, const char* name, Value value) {
    TVK_VARIANT variant = value.ToVariant();
    ASSERT_EQ(client.SetLiveFormProperty(name, &variant, form), 0);
  }
  static void SetOn(EnvironmentClient& client, TVK_HANDLE control, const char* name, Value value) {
    TVK_VARIANT variant = value.ToVariant();
    ASSERT_EQ(client.SetClientCtrlProperty(name, &variant, control), 0);
  }
  tavik::testing::ScratchFolder folder_;
  fs::path dir_ = folder_.path();
};

TEST_F(EnvironmentClientTest, ALiveFormIsSavedWhenFinished) {
  EnvironmentClient client(4, (dir_ / "out").string());
  TVK_HANDLE form = 0, window = 0;
  ASSERT_EQ(client.CreateLiveForm(&form, &window), 0);
  EXPECT_NE(form, window);
  Set(client, form, "Name", Value::String("OrderEntryForm"));
  Set(client, form, "Caption", Value::String("Orders"));
  Set(client, form, "Width", Value::Single(8300.0f));
  EXPECT_EQ(ReadWindowText(window), "Orders") << "the window's title is the caption";

  TVK_HANDLE frame = 0, option = 0, grid = 0;
  ASSERT_EQ(client.CreateClientCtrl("Frame", &frame, form, 0), 0);
  SetOn(client, frame, "Name", Value::String("opgX"));
  ASSERT_EQ(client.CreateClientCtrl("OptionButton", &option, form, frame), 0);
  SetOn(client, option, "Value", Value::Boolean(false));
  ASSERT_EQ(client.CreateClientCtrl("MSDBGrid.DBGrid", &grid, form, 0), 0);
  SetOn(client, grid, "Name", Value::String("grdX"));
  TVK_HANDLE orphan = 0;
  EXPECT_NE(client.CreateClientCtrl("Label", &orphan, form, 999), 0) << "unknown container";
  EXPECT_EQ(client.BindLiveGrid("grdX", "dsX"), 0);

  fs::path code = dir_ / "code.txt";
  tavik::testing::WriteWholeFile(code, "Sub Form_Load()\nEnd Sub\n");
  ASSERT_EQ(client.LoadLiveFormCode(form, code.string().c_str()), 0);

  EXPECT_NE(client.FinishLiveForm(window + 100), 0);
  ASSERT_EQ(client.FinishLiveForm(window), 0);
  ASSERT_EQ(client.SavedPaths().size(), 1u);
  EXPECT_EQ(client.SavedPaths()[0], (dir_ / "out" / "OrderEnt.FRM").string());
  EXPECT_EQ(tavik::testing::ReadWholeFile(client.SavedPaths()[0]),
            "VERSION 2.00\r\n"
            "Begin Form OrderEntryForm\r\n"
            "\tCaption = \"Orders\"\r\n"
            "\tName                =    \"OrderEntryForm\"\r\n"
            "\tCaption             =    \"Orders\"\r\n"
            "\tWidth               =    8300\r\n"
            "\tBegin Frame opgX\r\n"
            "\t\tName                =    \"opgX\"\r\n"
            "\t\tBegin OptionButton OptionButton2\r\n"
            "\t\t\tValue               =    FALSE\r\n"
            "\t\tEnd\r\n"
            "\tEnd\r\n"
            "\tBegin MSDBGrid.DBGrid grdX\r\n"
            "\t\tName                =    \"grdX\"\r\n"
            "\t\tDataSource          =    \"dsX\"\r\n"
            "\tEnd\r\n"
            "End\r\n"
            "Sub Form_Load()\r\nEnd Sub\r\n");
  EXPECT_EQ(client.UnfinishedFormCount(), 0u);
  EXPECT_NE(client.FinishLiveForm(window), 0) << "finished once";
}

TEST_F(EnvironmentClientTest, UnnamedAndUnfinishedFormsAreSavedOnRequest) {
  EnvironmentClient client(3, dir_.string());
  TVK_HANDLE form = 0, window = 0;
  ASSERT_EQ(client.CreateLiveForm(&form, &window), 0);
  client.NameNextLiveForm("Regenerated");
  ASSERT_EQ(client.CreateLiveForm(&form, &window), 0);
  EXPECT_EQ(client.LiveForms()[0]->Name(), "Form1");
  EXPECT_EQ(client.LiveForms()[1]->Name(), "Regenerated");
  EXPECT_EQ(client.UnfinishedFormCount(), 2u);
  EXPECT_EQ(client.SaveUnfinishedForms(), 0u);
  EXPECT_TRUE(fs::exists(dir_ / "Form1.FRM"));
  EXPECT_TRUE(fs::exists(dir_ / "Regenera.FRM"));
  EXPECT_EQ(client.UnfinishedFormCount(), 0u);
}

}  // namespace
}  // namespace tavik::environment
