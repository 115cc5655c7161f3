// The tavikfw program as a user runs it: exit statuses, messages, files written or kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fakes/cli_run.h"

namespace fs = std::filesystem;

namespace {

using tavik::testing::CliResult;
using tavik::testing::ReadWholeFile;

class GenerateCommandTest : public tavik::testing::CliTest {
 protected:
  static std::string Example() {
    return std::string("'") + TAVIK_SOURCE_DIR + "/examples/order_entry.json'";
  }
};

TEST_F(GenerateCommandTest, WritesTheFormNamedAfterTheFormAndPrintsItsPath) {
  CliResult result = Run("generate " + Example() + " --name OrderEntryForm --settings T.INI");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "OrderEnt.FRM\n");
  std::string form = ReadWholeFile(dir_ / "OrderEnt.FRM");
  EXPECT_EQ(form.rfind("VERSION 2.00\r\nBegin Form OrderEntryForm\r\n", 0), 0u);
  EXPECT_EQ(form.find("\r\r"), std::string::npos) << "each line ends in one CR LF";
  EXPECT_EQ(form.find("\n\n"), std::string::npos);
}

// A refused name (a leading digit) is a golden case.
TEST_F(GenerateCommandTest, UnansweredNameEndsWith64AndWritesNothing) {
  CliResult missing = Run("generate " + Example() + " --settings T.INI -o F.FRM");
  EXPECT_EQ(missing.status, 64);
  EXPECT_EQ(missing.err,
            "Tavik for Visual Basic Parameter Entry Error: You must enter a form name to generate "
            "a form!\n");
  EXPECT_FALSE(fs::exists(dir_ / "F.FRM"));
  EXPECT_FALSE(fs::exists(dir_ / "T.INI")) << "a dialog left open keeps no settings";
}

TEST_F(GenerateCommandTest, BlanksAndHyphensInTheNameBecomeUnderscores) {
  CliResult result =
      Run("generate " + Example() + " --name 'Order-Entry Form' --settings T.INI -o F.FRM");
  ASSERT_EQ(result.status, 0) << result.err;
  std::string form = ReadWholeFile(dir_ / "F.FRM");
  EXPECT_NE(form.find("Begin Form Order_Entry_Form\r\n"), std::string::npos);
  EXPECT_NE(form.find("Sub Order_Entry_Form_Repopulate()"), std::string::npos);
}

TEST_F(GenerateCommandTest, SettingsFileKeepsConnectAndDatabaseBetweenRuns) {
  ASSERT_EQ(Run("generate " + Example() +
                " --name A --database orders.mdb --connect 'ODBC;DSN=x' --settings T.INI -o A.FRM")
                .status,
            0);
  ASSERT_EQ(Run("generate " + Example() + " --name B --settings T.INI -o B.FRM").status, 0);
  EXPECT_NE(
      ReadWholeFile(dir_ / "B.FRM").find("OpenDatabase(\"orders.mdb\",FALSE,FALSE,\"ODBC;DSN=x\")"),
      std::string::npos);
  std::string settings = ReadWholeFile(dir_ / "T.INI");
  EXPECT_NE(settings.find("[Visual Basic]"), std::string::npos);
  EXPECT_NE(settings.find("DatabaseString=orders.mdb"), std::string::npos);
}

TEST_F(GenerateCommandTest, UnreadableModelEndsWith66AndLeavesAnExistingFormAlone) {
  Write("F.FRM", "keep me");
  // Refused models are the bad-input catalogue's; an unreadable one ends with 66.
  CliResult missing = Run("generate nowhere.json --name A --settings T.INI -o F.FRM");
  EXPECT_EQ(missing.status, 66);
  EXPECT_NE(missing.err.find("nowhere.json"), std::string::npos) << missing.err;
  EXPECT_EQ(ReadWholeFile(dir_ / "F.FRM"), "keep me");
}

TEST_F(GenerateCommandTest, OutputThatCannotBeCreatedEndsWith73) {
  CliResult result = Run("generate " + Example() + " --name A --settings T.INI -o no/such/F.FRM");
  EXPECT_EQ(result.status, 73);
  EXPECT_NE(result.err.find("no/such/F.FRM"), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");
}

TEST_F(GenerateCommandTest, TextsOutsideWindows1252AreUsageErrors) {
  CliResult result =
      Run("generate " + Example() + " --name A --caption '中文' --settings T.INI -o F.FRM");
  EXPECT_EQ(result.status, 64);
  EXPECT_NE(result.err.find("--caption"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(dir_ / "F.FRM"));
  CliResult accented =
      Run("generate " + Example() + " --name A --caption 'Café' --settings T.INI -o F.FRM");
  ASSERT_EQ(accented.status, 0) << accented.err;
  EXPECT_NE(ReadWholeFile(dir_ / "F.FRM").find("Caption = \"Caf\xE9\""), std::string::npos);
}

TEST_F(GenerateCommandTest, UsageErrorsAndVersion) {
  EXPECT_EQ(Run("generate " + Example() + " --vb 5 --name A").status, 64);
  EXPECT_EQ(Run("generate " + Example() + " --screen wide --name A").status, 64);
  EXPECT_EQ(Run("").status, 64);
  CliResult version = Run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find('.'), std::string::npos);
}

}  // namespace
