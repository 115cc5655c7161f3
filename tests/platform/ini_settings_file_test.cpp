// Tests of the INI settings file: reading, writing in place, and creating the file.
#include "platform/ini_settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "fakes/cli_run.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

class IniSettingsFileTest : public ::testing::Test {
 protected:
  fs::path File() const { return folder_ / "TAVIK.INI"; }
  void Put(const std::string& content) const { testing::WriteWholeFile(File(), content); }
  std::string Content() const { return testing::ReadWholeFile(File()); }

  testing::ScratchFolder scratch_;
  fs::path folder_ = scratch_.path();
};

TEST_F(IniSettingsFileTest, WrittenValuesReadBackAsTheyWere) {
  IniSettingsFile settings(File());
  // A connect string holds "=" and ";", and text arrives in Windows-1252.
  const std::string connect = "ODBC;DSN=Sales;UID=sa;PWD=caf\xE9";
  ASSERT_TRUE(settings.WriteString("Visual Basic", "ConnectString", connect));
  ASSERT_TRUE(settings.WriteString("Visual Basic", "DatabaseString", "C:\\DATA\\SALES.MDB"));
  EXPECT_EQ(settings.ReadString("Visual Basic", "ConnectString", ""), connect);
  ASSERT_TRUE(settings.WriteString("Visual Basic", "ConnectString", ""));
  EXPECT_EQ(settings.ReadString("Visual Basic", "ConnectString", "default"), "");
  EXPECT_EQ(settings.ReadString("Visual Basic", "DatabaseString", ""), "C:\\DATA\\SALES.MDB");
  EXPECT_EQ(Content(),
            "[Visual Basic]\r\nConnectString=\r\nDatabaseString=C:\\DATA\\SALES.MDB\r\n");
}

TEST_F(IniSettingsFileTest, WritesLeaveEverythingElseInPlace) {
  Put("; settings\n[Other]\nA=1\n\n[Visual Basic]\nFirst=x\nConnectString=old\nLast=y\n\n"
      "[Tail]\nB=2\n");
  IniSettingsFile settings(File());
  ASSERT_TRUE(settings.WriteString("Visual Basic", "ConnectString", "new"));
  ASSERT_TRUE(settings.WriteString("Visual Basic", "DatabaseString", "db"));
  ASSERT_TRUE(settings.WriteString("Fresh", "C", "3"));
  EXPECT_EQ(Content(),
            "; settings\n[Other]\nA=1\n\n[Visual Basic]\nFirst=x\nConnectString=new\nLast=y\n"
            "DatabaseString=db\n\n[Tail]\nB=2\n\n[Fresh]\nC=3\n");
}

TEST_F(IniSettingsFileTest, NamesMatchWithoutRegardToCase) {
  Put("[visual basic]\r\nCONNECTSTRING = \"DSN=x\" \r\n");
  IniSettingsFile settings(File());
  // Blanks around the value and one pair of quotes are not part of it.
  EXPECT_EQ(settings.ReadString("Visual Basic", "ConnectString", ""), "DSN=x");
  ASSERT_TRUE(settings.WriteString("Visual Basic", "connectstring", "DSN=y"));
  EXPECT_EQ(Content(), "[visual basic]\r\nCONNECTSTRING=DSN=y\r\n");
}

TEST_F(IniSettingsFileTest, MissingEntriesGiveTheDefault) {
  IniSettingsFile settings(File());
  EXPECT_EQ(settings.ReadString("Visual Basic", "ConnectString", "none"), "none");
  EXPECT_FALSE(fs::exists(File()));
  Put("[Visual Basic]\nDatabaseString=db\n[Other]\nConnectString=elsewhere\n");
  EXPECT_EQ(settings.ReadString("Visual Basic", "ConnectString", "none  "), "none");
  EXPECT_EQ(settings.ReadString("Missing", "DatabaseString", ""), "");
}

TEST_F(IniSettingsFileTest, FirstWriteCreatesFolderAndFileAndNothingElse) {
  const fs::path nested = folder_ / "a" / "b" / "TAVIK.INI";
  IniSettingsFile settings(nested);
  ASSERT_TRUE(settings.WriteString("Visual Basic", "ConnectString", "DSN=x"));
  EXPECT_EQ(settings.ReadString("Visual Basic", "ConnectString", ""), "DSN=x");
  EXPECT_EQ(std::distance(fs::directory_iterator(nested.parent_path()), fs::directory_iterator()),
            1);
}

TEST_F(IniSettingsFileTest, RefusesWhatTheFormatCannotHoldAndLeavesTheFile) {
  Put("[Visual Basic]\nConnectString=old\n");
  IniSettingsFile settings(File());
  EXPECT_FALSE(settings.WriteString("Visual Basic", "ConnectString", "two\nlines"));
  EXPECT_FALSE(settings.WriteString("Visual Basic", "Key=Value", "x"));
  EXPECT_FALSE(settings.WriteString("Visual]Basic", "ConnectString", "x"));
  EXPECT_EQ(Content(), "[Visual Basic]\nConnectString=old\n");
}

}  // namespace
}  // namespace tavik
