// The tavikfw program as a user runs it: exit statuses, messages, files written or kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <fmt/format.h>

#include <cstdlib>

#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"

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
  // Without a form file there is no name to take.
  CliResult missing = Run("generate " + Example() + " --settings T.INI");
  EXPECT_EQ(missing.status, 64);
  EXPECT_EQ(missing.err,
            "Tavik for Visual Basic Parameter Entry Error: You must enter a form name to generate "
            "a form!\ntavikfw generate: name the form with --name\n");
  EXPECT_EQ(missing.out, "");
  EXPECT_FALSE(fs::exists(dir_ / "T.INI")) << "a dialog left open keeps no settings";
}

TEST_F(GenerateCommandTest, TheFormIsNamedAfterItsFileAndOpensTheDatabaseItCameFrom) {
  tavik::testing::MakeDatabase(dir_ / "shop.db", "CREATE TABLE T (X TEXT)");
  fs::create_directory(dir_ / "out");
  struct Case {
    std::string arguments;
    std::string written;
    std::string form_line;
  };
  const Case cases[] = {
      {"-o 'out/order entry-2.frm'", "out/order entry-2.frm", "Begin Form order_entry_2\r\n"},
      {"-o 2024.FRM", "2024.FRM", "Begin Form Form2024\r\n"},
      {"-o F.FRM --name Given", "F.FRM", "Begin Form Given\r\n"},
      // Live, after the model.
      {"--live live", "live/shop.FRM", "Begin Form shop\r\n"},
  };
  for (const Case& c : cases) {
    CliResult result = Run("generate shop.db --settings T.INI " + c.arguments);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.written + "\n");
    const std::string form = ReadWholeFile(dir_ / c.written);
    EXPECT_NE(form.find(c.form_line), std::string::npos) << c.arguments;
    EXPECT_NE(form.find(R"(OpenDatabase(tk_AppFile("shop.db"))"), std::string::npos) << c.arguments;
  }
}

TEST_F(GenerateCommandTest, AnOutputThatIsAnInputIsRefusedAndTheInputKept) {
  tavik::testing::MakeDatabase(dir_ / "shop.db", "CREATE TABLE T (X TEXT)");
  fs::copy_file(TAVIK_SOURCE_DIR "/examples/order_entry.json", dir_ / "ORDERS.FRM");
  fs::create_symlink("shop.db", dir_ / "link.FRM");
  fs::create_hard_link(dir_ / "shop.db", dir_ / "hard.FRM");
  fs::create_directory(dir_ / "live");
  fs::create_hard_link(dir_ / "shop.db", dir_ / "live/Shop.FRM");
  const std::string database = ReadWholeFile(dir_ / "shop.db");
  struct Case {
    std::string arguments;
    std::string message;  // after "tavikfw COMMAND: "
  };
  const std::string same = " (the same file); it would be replaced, so nothing is written\n";
  const Case cases[] = {
      {"generate shop.db -o ./shop.db", "the form file ./shop.db is the database shop.db"},
      {"generate shop.db -o link.FRM", "the form file link.FRM is the database shop.db"},
      {"generate link.FRM -o hard.FRM", "the form file hard.FRM is the database link.FRM"},
      {"generate shop.db --live live --name Shop",
       "the form file live/Shop.FRM is the database shop.db"},
      // The form file the form name gives.
      {"generate ORDERS.FRM --name ORDERS", "the form file ORDERS.FRM is the model ORDERS.FRM"},
      {"generate shop.db -o F.FRM --settings hard.FRM",
       "the settings file hard.FRM is the database shop.db"},
      {"import shop.db -o link.FRM", "the model file link.FRM is the database shop.db"},
  };
  for (const Case& c : cases) {
    const std::string command = c.arguments.substr(0, c.arguments.find(' '));
    const bool settings =
        command == "import" || c.arguments.find("--settings") != std::string::npos;
    CliResult result = Run(c.arguments + (settings ? "" : " --settings T.INI"));
    EXPECT_EQ(result.status, 64) << c.arguments;
    EXPECT_NE(result.err.find("tavikfw " + command + ": " + c.message + same), std::string::npos)
        << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadWholeFile(dir_ / "shop.db"), database) << c.arguments;
    EXPECT_FALSE(fs::exists(dir_ / "F.FRM"));
  }
  EXPECT_EQ(ReadWholeFile(dir_ / "ORDERS.FRM"),
            ReadWholeFile(TAVIK_SOURCE_DIR "/examples/order_entry.json"));
}

TEST_F(GenerateCommandTest, WarnsOfWhatVisualBasicCannotLoadAndWritesTheFormAllTheSame) {
  // 30 tables of 5 columns: over 400 control names on a panel over 60,000 twips tall; a
  // list of 3,000 values is filled in a Form_Load of over 240 KB.
  std::string sql;
  for (int i = 0; i < 30; ++i) sql += fmt::format("CREATE TABLE T{} (A, B, C, D, E);", i);
  std::string values = "'0'";
  for (int i = 1; i < 3000; ++i) values += fmt::format(", 'value {}'", i);
  sql += "CREATE TABLE L (V TEXT CHECK (V IN (" + values + ")));";
  tavik::testing::MakeDatabase(dir_ / "big.db", sql);
  CliResult result = Run("generate big.db --settings T.INI -o BIG.FRM");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "BIG.FRM\n");
  const std::string remedy =
      "; make a model of fewer tables (tavikfw import --table) or with some shown as grids "
      "(its --grid) and generate from it\n";
  for (std::string warning :
       {"the form has 493 control names, more than the 254 Visual Basic loads",
        "the scrolled panel is 81600 twips tall, more than the 32767 a scroll bar reaches",
        "the procedure Form_Load is 249338 bytes long, more than the 65536 Visual Basic "
        "compiles"}) {
    EXPECT_NE(result.err.find("tavikfw generate: warning: BIG.FRM: " + warning + remedy),
              std::string::npos)
        << result.err;
  }
  // A form within the limits has no warning.
  CliResult small = Run("generate " + Example() + " --settings T.INI -o SMALL.FRM");
  EXPECT_EQ(small.err, "");
}

// At a terminal every field of the dialog is asked, its default shown; Enter keeps it.
TEST_F(GenerateCommandTest, AtATerminalEveryFieldIsAsked) {
  const std::string answers = "\\nmy.mdb\\n\\nMy Caption\\n\\n";
  const std::string command = "printf '" + answers +
                              "' | script -qec \"'" TAVIK_CLI_PATH "' generate " + Example() +
                              " --settings T.INI --connect ODBC"
                              " --name Orders\" /dev/null >out.txt 2>&1";
  ASSERT_EQ(std::system(("cd '" + dir_.string() + "' && " + command).c_str()), 0)
      << ReadWholeFile(dir_ / "out.txt");
  const std::string dialog = ReadWholeFile(dir_ / "out.txt");
  EXPECT_NE(dialog.find("Connect: [ODBC] Database: Form Name: [Orders] Form Caption: Filespec: "
                        "[Orders.FRM]"),
            std::string::npos)
      << dialog;
  const std::string form = ReadWholeFile(dir_ / "Orders.FRM");
  EXPECT_NE(form.find("Caption             =    \"My Caption\""), std::string::npos);
  EXPECT_NE(form.find("OpenDatabase(\"my.mdb\",FALSE,FALSE,\"ODBC\")"), std::string::npos);
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
  CliResult missing = Run("generate nowhere.json --name A --settings T.INI -o F.FRM --force");
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
