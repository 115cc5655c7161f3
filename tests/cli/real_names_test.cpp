// Forms from databases whose names real schemas have: blanks, reserved words, digits, quotes,
// long and alike names. Every SELECT the form builds is prepared against the database itself.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"
#include "fakes/vb_name_lint.h"

namespace {

using tavik::testing::CliResult;
using tavik::testing::ReadWholeFile;
using ::testing::HasSubstr;
using ::testing::Not;

// The value of a string expression of the generated code: literals, variables already
// assigned, and tk_SQLValue (a row's value: 1 here) joined by "&".
std::string Evaluate(const std::string& expression,
                     const std::map<std::string, std::string>& vars) {
  static const std::regex kTerm(
      R"re(\s*(?:"((?:[^"]|"")*)"|(tk_SQLValue\(\w+, "(?:[^"]|"")*"\))|(\w+))\s*&?)re");
  std::string value;
  for (std::sregex_iterator term(expression.begin(), expression.end(), kTerm), end; term != end;
       ++term) {
    if ((*term)[1].matched) {
      value += std::regex_replace((*term)[1].str(), std::regex("\"\""), "\"");
    } else if ((*term)[2].matched) {
      value += "1";
    } else {
      value += vars.at((*term)[3].str());
    }
  }
  return value;
}

// Every record source the form's code gives a data control, once the Load event has
// assigned the SELECT variables.
std::vector<std::string> RecordSources(const std::string& form) {
  static const std::regex kSelect(R"(\t(s\w+_Select) = (.*)\r)");
  static const std::regex kSource(R"(\t\w+\.RecordSource = (.*)\r)");
  std::map<std::string, std::string> vars;
  for (std::sregex_iterator line(form.begin(), form.end(), kSelect), end; line != end; ++line) {
    vars[(*line)[1].str()] = Evaluate((*line)[2].str(), vars);
  }
  std::vector<std::string> sources;
  for (std::sregex_iterator line(form.begin(), form.end(), kSource), end; line != end; ++line) {
    sources.push_back(Evaluate((*line)[1].str(), vars));
  }
  return sources;
}

class RealNamesTest : public tavik::testing::CliTest {
 protected:
  // The form generated from a database of that schema, its every record source prepared.
  std::string FormOf(const std::string& sql) {
    tavik::testing::MakeDatabase(dir_ / "real.db", sql);
    CliResult run = Run("generate real.db -o REAL.FRM --name Real --settings T.INI");
    EXPECT_EQ(run.status, 0) << run.err;
    std::string form = ReadWholeFile(dir_ / "REAL.FRM");
    sqlite3* database = nullptr;
    EXPECT_EQ(sqlite3_open((dir_ / "real.db").c_str(), &database), SQLITE_OK);
    std::vector<std::string> sources = RecordSources(form);
    EXPECT_FALSE(sources.empty());
    for (const std::string& source : sources) {
      sqlite3_stmt* statement = nullptr;
      EXPECT_EQ(sqlite3_prepare_v2(database, source.c_str(), -1, &statement, nullptr), SQLITE_OK)
          << source << ": " << sqlite3_errmsg(database);
      sqlite3_finalize(statement);
    }
    sqlite3_close(database);
    EXPECT_EQ(tavik::testing::LintVbForm(form), "");
    return form;
  }
};

TEST_F(RealNamesTest, OddNamesGiveRunnableSqlAndValidNames) {
  const std::string form = FormOf(R"(
    CREATE TABLE "Order Details" ("Order ID" INTEGER PRIMARY KEY, "group" TEXT, "order" TEXT,
        "date" TEXT, "2nd try" TEXT, "say ""hi""" TEXT,
        CUSTOMER_ADDRESS_LINE2 TEXT, CUSTOMER_ADDRESS_LINE3 TEXT,
        kind TEXT CHECK (kind IN ('a "big" one', 'small')));
    CREATE TABLE "group" ("1st" INTEGER PRIMARY KEY,
        "Order ID" INTEGER REFERENCES "Order Details", "select" TEXT);
  )");
  // Plain names stay plain; the rest are bracketed, and the field is looked up by its name.
  EXPECT_THAT(form, HasSubstr("SELECT [Order ID],[group],[order],[date],[2nd try],"
                              "[say \"\"hi\"\"],CUSTOMER_ADDRESS_LINE2,"));
  EXPECT_THAT(form, HasSubstr("FROM [group] WHERE \""));
  EXPECT_THAT(form, HasSubstr("\" [Order ID] = \" & tk_SQLValue(dsOrder_Details, \"Order ID\")"));
  EXPECT_THAT(form, HasSubstr(".DisplayVal = \"a \"\"big\"\" one\""));
}

TEST_F(RealNamesTest, ALongSelectIsBuiltOverSeveralLines) {
  std::string columns;
  for (int i = 0; i < 40; ++i) {
    columns += ", A_RATHER_LONG_COLUMN_NAME_NUMBER_" + std::to_string(i) + " TEXT";
  }
  const std::string form = FormOf("CREATE TABLE WIDE (ID INTEGER PRIMARY KEY" + columns + ");");
  EXPECT_THAT(form, HasSubstr("\tsWIDE_Select = sWIDE_Select & \""));
}

TEST_F(RealNamesTest, AHiddenFirstFieldIsNotGivenTheFocus) {
  nlohmann::json model = nlohmann::json::parse(
      ReadWholeFile(std::string(TAVIK_SOURCE_DIR) + "/tests/golden/one_entity/model.json"));
  model["entities"][0]["attributes"][0]["FORM_ATTRIB_INFO"]["VISIBLE"] = 0;
  Write("model.json", model.dump());
  CliResult run = Run("generate model.json -o HIDDEN.FRM --name Hidden --settings T.INI");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string form = ReadWholeFile(dir_ / "HIDDEN.FRM");
  EXPECT_THAT(form, HasSubstr("Sub cmdORDERSNew_Click"));
  EXPECT_THAT(form, Not(HasSubstr(".SetFocus")));
}

// The cases real schemas brought: defaults on NOT NULL columns, a detail grid, a flag
// column, names beyond ASCII and over 40 characters, generated columns and an FTS table.
constexpr const char* kMusicSchema = R"(
  CREATE TABLE album (album_id INTEGER PRIMARY KEY, title TEXT NOT NULL,
    label TEXT NOT NULL DEFAULT 'none', added TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP,
    explicit INTEGER NOT NULL DEFAULT 0 CHECK (explicit IN (0, 1)),
    notes TEXT NOT NULL DEFAULT (lower('X')), sleeve TEXT NOT NULL DEFAULT "plain");
  CREATE TABLE track (track_id INTEGER PRIMARY KEY,
    album_id INTEGER NOT NULL REFERENCES album(album_id), seconds INTEGER,
    doubled INTEGER GENERATED ALWAYS AS (seconds * 2) VIRTUAL);
  CREATE TABLE "Übersicht" (id INTEGER PRIMARY KEY, "Crème" TEXT);
  CREATE TABLE a_really_long_table_name_of_fifty_characters_xyz (id INTEGER PRIMARY KEY);
  CREATE VIRTUAL TABLE notes_fts USING fts5(body);)";

TEST_F(RealNamesTest, AProjectFromARealSchemaSavesWhatTheUserTypes) {
  tavik::testing::MakeDatabase(dir_ / "music.db", kMusicSchema);
  for (const char* version : {"3", "4"}) {
    CliResult run = Run(std::string("project music.db -o P") + version + " --vb " + version +
                        " --settings T.INI");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("\"track\", column \"doubled\" is left out"));
    EXPECT_THAT(run.err, HasSubstr("table \"notes_fts\" is left out"));
    EXPECT_THAT(run.err, HasSubstr("table \"notes_fts_data\" is left out"));
    EXPECT_THAT(run.err, HasSubstr("its default (lower('X')) is computed by the database"));
    const std::filesystem::path folder = dir_ / (std::string("P") + version);
    // Visual Basic 4 takes procedure names longer than 40 characters; 3 does not.
    for (const char* file :
         {"ALBUM.FRM", "UBERSICH.FRM", version[0] == '3' ? "A_REALLY.FRM" : ""}) {
      if (*file != '\0') {
        EXPECT_EQ(tavik::testing::LintVbForm(ReadWholeFile(folder / file)), "") << file;
      }
    }
    const std::string album = ReadWholeFile(folder / "ALBUM.FRM");
    // A default fills a new record and an emptied box; a column without one is refused.
    EXPECT_THAT(album, HasSubstr("Sub album_SetDefaults()\r\n'Tavik Generated Code Section\r\n"
                                 "\ttbxE1label.Text = \"none\"\r\n"
                                 "\ttbxE1added.Text = Format$(Now, \"yyyy-mm-dd hh:nn:ss\")\r\n"));
    EXPECT_THAT(album, HasSubstr("\t\tIf tbxE1label.Text = \"\" Then\r\n"
                                 "\t\t\ttbxE1label.Text = \"none\"\r\n"));
    EXPECT_THAT(album, Not(HasSubstr("label is a required field")));
    // SQLite keeps a double-quoted default that names no column as a string.
    EXPECT_THAT(album, HasSubstr("\t\t\ttbxE1sleeve.Text = \"plain\"\r\n"));
    EXPECT_THAT(album, Not(HasSubstr("sleeve is a required field")));
    EXPECT_THAT(album, HasSubstr("title is a required field"));
    EXPECT_THAT(album, HasSubstr("notes is a required field"));
    EXPECT_THAT(album, HasSubstr("\t\talbum_SetDefaults\r\n"));
    EXPECT_THAT(album, HasSubstr("Caption             =    \"Explicit\""));
    // A track added in the album's grid gets the album's key, which is not typed.
    EXPECT_THAT(album, HasSubstr("\t\t\t\tdstrack.Recordset.Fields(\"album_id\") = "
                                 "dsalbum.Recordset.Fields(\"album_id\")\r\n"));
    EXPECT_THAT(album, HasSubstr(version == std::string("4")
                                     ? "grdtrack.Columns.Item(\"album_id\").Locked = True"
                                     : "grdtrack.Lock = True"));
    // A database named relatively is opened in the application's folder; the designer's
    // property keeps the name as given. The start-up form tries it first.
    const std::string in_folder = R"(tk_AppFile("music.db"))";
    EXPECT_THAT(album,
                HasSubstr("OpenDatabase(" + in_folder + ",FALSE,FALSE,\"ODBC;DSN=music;\")"));
    EXPECT_THAT(album, HasSubstr("\tdsalbum.DatabaseName = " + in_folder +
                                 "\r\n\tdsalbum.Connect = tvkDBConn.Connect\r\n"));
    EXPECT_THAT(album, HasSubstr("DatabaseName        =    \"music.db\""));
    const std::string menu = ReadWholeFile(folder / "MAINMENU.FRM");
    EXPECT_THAT(menu,
                HasSubstr("OpenDatabase(" + in_folder + ", FALSE, FALSE, \"ODBC;DSN=music;\")"));
    EXPECT_THAT(menu, HasSubstr("Set up the ODBC data source music once on this computer: "
                                "install the SQLite ODBC driver"));
    EXPECT_THAT(ReadWholeFile(folder / "UBERSICH.FRM"), HasSubstr("Begin Form frmUbersicht"));
  }
}

TEST_F(RealNamesTest, QuotesInTheDatabaseAndConnectStringsAreDoubledInTheCode) {
  CliResult run =
      Run("generate " + std::string(TAVIK_SOURCE_DIR) +
          "/examples/order_entry.json -o Q.FRM --vb 3 --name " + std::string(61, 'Q') +
          " --settings T.INI --database 'C:\\DATA\\\"X\".MDB' --connect 'ODBC;DSN=\"A\"'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string form = ReadWholeFile(dir_ / "Q.FRM");
  EXPECT_THAT(form, HasSubstr("OpenDatabase(\"C:\\DATA\\\"\"X\"\".MDB\",FALSE,FALSE,"
                              "\"ODBC;DSN=\"\"A\"\"\")"));
  EXPECT_EQ(tavik::testing::LintVbForm(form), "");
}

}  // namespace
