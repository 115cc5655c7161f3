// `tavikfw import` as a user runs it: model files from databases, and forms from both.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"
#include "import/database_file.h"
#include "project/record_features.h"

namespace fs = std::filesystem;

namespace {

using tavik::testing::CliResult;
using tavik::testing::ReadWholeFile;
using ::testing::HasSubstr;

// Every kind of column the import tells apart; a key named unlike the parent's column, and a
// two-column key.
constexpr std::string_view kOrderEntry = R"(
  CREATE TABLE CUSTOMER (CUST_ID INTEGER PRIMARY KEY, CUST_NAME VARCHAR(40) NOT NULL,
                         RATING CHAR(1) CHECK (RATING IN ('A', 'B', 'C')), ACTIVE BOOLEAN,
                         LOGO BLOB, SINCE DATE);
  CREATE TABLE ORDERS (ORDER_ID INTEGER PRIMARY KEY, BUYER INTEGER NOT NULL
                       REFERENCES CUSTOMER (CUST_ID), PAID CHAR(1) CHECK (PAID = 'Y' OR PAID = 'N'));
  CREATE TABLE ORDER_LINE (ORDER_ID INTEGER REFERENCES ORDERS, LINE_NO INTEGER, QTY INTEGER,
                           PRIMARY KEY (ORDER_ID, LINE_NO));
  CREATE TABLE LINE_NOTE (NOTE_ID INTEGER PRIMARY KEY, ORD INTEGER, LNO INTEGER, TEXT_ TEXT,
                          FOREIGN KEY (ORD, LNO) REFERENCES ORDER_LINE (ORDER_ID, LINE_NO));
)";

class ImportCommandTest : public tavik::testing::CliTest {
 protected:
  void Database(const std::string& name, std::string_view sql) {
    tavik::testing::MakeDatabase(dir_ / name, sql);
  }

  // The files in the test's folder besides the run's own output captures.
  std::vector<std::string> Files() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      std::string name = entry.path().filename().string();
      if (name != "out.txt" && name != "err.txt") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ImportCommandTest, AFormFromTheDatabaseEqualsTheFormFromItsImportedModel) {
  // Loading knows a database by its content, whatever the file is called.
  Database("orders.data", kOrderEntry);
  CliResult import = Run("import orders.data -o model.json");
  ASSERT_EQ(import.status, 0) << import.err;
  EXPECT_EQ(import.out, "model.json\n");
  EXPECT_EQ(import.err, "");
  EXPECT_EQ(nlohmann::json::parse(ReadWholeFile(dir_ / "model.json"))["entities"].size(), 4u);

  // A form generated from a database opens the database it is told to, and has Find, Cancel,
  // the position and its records in order, which a model file gets when asked.
  const std::string options = " --name Orders --settings T.INI --database /orders.mdb";
  CliResult from_model =
      Run("generate model.json -o FROMJSON.FRM --find --position --cancel "
          "--order CUSTOMER=CUST_NAME --order ORDERS=ORDER_ID --order ORDER_LINE=ORDER_ID "
          "--order LINE_NOTE=NOTE_ID" +
          options);
  CliResult from_database = Run("generate orders.data -o FROMDB.FRM" + options);
  ASSERT_EQ(from_database.status, 0) << from_database.err;
  ASSERT_EQ(from_model.status, 0) << from_model.err;
  const std::string form = ReadWholeFile(dir_ / "FROMDB.FRM");
  EXPECT_EQ(ReadWholeFile(dir_ / "FROMJSON.FRM"), form);
  // The edit style of each kind of column is the schema import's test; a check of two values
  // written with OR makes a check box too.
  EXPECT_THAT(form, HasSubstr("tk_CB_ControlXlateValue(chkE2PAID, "
                              "dsORDERS.Recordset.Fields(\"PAID\"), \"Y\", \"N\")"));
  // The key named unlike the parent's column migrates and filters from that column.
  EXPECT_THAT(form, HasSubstr("dsORDERS.RecordSource = sORDERS_Select & \" BUYER = \" & "
                              "tk_SQLValue(dsCUSTOMER, \"CUST_ID\") & \" ORDER BY ORDER_ID\"\r\n"));
  EXPECT_THAT(form, HasSubstr("\t\tdsORDERS.Recordset.Fields(\"BUYER\") = "
                              "dsCUSTOMER.Recordset.Fields(\"CUST_ID\")\r\n"));
  // The composite key of the detail's detail is matched column by column.
  EXPECT_THAT(form,
              HasSubstr("dsLINE_NOTE.RecordSource = sLINE_NOTE_Select & \" ORD = \" & "
                        "tk_SQLValue(dsORDER_LINE, \"ORDER_ID\")& \" AND LNO = \" & "
                        "tk_SQLValue(dsORDER_LINE, \"LINE_NO\") & \" ORDER BY NOTE_ID\"\r\n"));
}

// Children of two parents and longer chains are golden cases.
TEST_F(ImportCommandTest, ChosenTablesOnly) {
  Database("orders.db", kOrderEntry);
  CliResult import = Run(
      "import --table LINE_NOTE --table orders orders.db --table ORDER_LINE -o part.json --grid "
      "line_note");
  ASSERT_EQ(import.status, 0) << import.err;
  nlohmann::json model = nlohmann::json::parse(ReadWholeFile(dir_ / "part.json"));
  // Which keys stay, and the order of the tables, are the schema import's test.
  ASSERT_EQ(model["entities"].size(), 3u);
  EXPECT_EQ(model["entities"][2]["properties"]["DISPLAY_STYLE"], "GRID");
}

TEST_F(ImportCommandTest, RefusalsSayWhyAndWriteNothing) {
  Write("notes.db", "these are my notes, not a database\n");
  CliResult not_database = Run("import notes.db -o model.json");
  EXPECT_EQ(not_database.status, 65);
  EXPECT_EQ(not_database.err,
            "Tavik Form Wizard Error: notes.db: the file is not a database (it begins neither as "
            "a SQLite database nor as an Access file)\n");
  EXPECT_EQ(not_database.out, "");

  // A key to a missing table is kept as a plain column, with a warning from both commands.
  Database("orphan.db",
           "CREATE TABLE ORDERS (ORDER_ID INTEGER, CUST_ID INTEGER "
           "REFERENCES CUSTOMER (CUST_ID))");
  const std::string warning =
      " warning: orphan.db: table \"ORDERS\", column \"CUST_ID\": the foreign key to "
      "\"CUSTOMER\" is kept as a plain column: \"CUSTOMER\" is not a table of the database\n";
  CliResult orphan = Run("import orphan.db -o orphan.json");
  EXPECT_EQ(orphan.status, 0);
  EXPECT_EQ(orphan.err, "tavikfw import:" + warning);
  CliResult orphan_form = Run("generate orphan.db --settings T.INI -o A.FRM");
  EXPECT_EQ(orphan_form.status, 0);
  EXPECT_EQ(orphan_form.err, "tavikfw generate:" + warning);
  fs::remove(dir_ / "orphan.json");
  fs::remove(dir_ / "A.FRM");
  fs::remove(dir_ / "T.INI");
  Write("model.json", "keep me");

  CliResult missing = Run("import nowhere.db -o model.json --force");
  EXPECT_EQ(missing.status, 66);
  EXPECT_THAT(missing.err, HasSubstr("nowhere.db: cannot read the file"));

  CliResult unknown_table = Run("import orphan.db -o model.json --force --table CUSTOMER");
  EXPECT_EQ(unknown_table.status, 65);
  EXPECT_THAT(unknown_table.err, HasSubstr("the database has no table \"CUSTOMER\""));

  // A default the form cannot hold passes the schema's checks but not the model reader's,
  // whose message places it in the text that would have been written.
  Database("omega.db", "CREATE TABLE T (ID INTEGER PRIMARY KEY, A TEXT NOT NULL DEFAULT 'Ω')");
  CliResult unreadable = Run("import omega.db -o model.json --force");
  EXPECT_EQ(unreadable.status, 65);
  EXPECT_EQ(unreadable.err,
            "Tavik Form Wizard Error: omega.db: line 53: entity 1 (T), attribute 2 (A), group "
            "COL_PROP, property CD_DEF: the character \"Ω\" (U+03A9) is not in Windows-1252\n");

  EXPECT_EQ(ReadWholeFile(dir_ / "model.json"), "keep me");
  EXPECT_EQ(Files(), (std::vector<std::string>{"model.json", "notes.db", "omega.db", "orphan.db"}))
      << "no temporary or half-written file is left";
}

// A lookup shows the column its table is known by: the one the user names, else the first text
// column that is unique or named like a name. The model is written straight from the schema,
// as the document the other commands build would be written.
TEST_F(ImportCommandTest, LookupsShowTheColumnTheDocumentWouldName) {
  Database("staff.db", R"(
    CREATE TABLE DEPT (DEPT_ID INTEGER PRIMARY KEY, CODE VARCHAR(8), DEPT_NAME VARCHAR(40));
    CREATE TABLE STAFF (STAFF_ID INTEGER PRIMARY KEY, NICK VARCHAR(20) UNIQUE, FULL_NAME TEXT,
                        BOSS INTEGER REFERENCES STAFF, DEPT INTEGER REFERENCES DEPT,
                        HOME_DEPT INTEGER REFERENCES DEPT, NOTE TEXT CHECK (NOTE IN ('a', 'b')));
  )");
  const auto document_text = [&](std::vector<std::pair<std::string, std::string>> lookups) {
    tavik::import::SchemaReader::Outcome read =
        tavik::import::DatabaseFile::Read((dir_ / "staff.db").string());
    tavik::project::RecordFeatures features;
    features.lookups = std::move(lookups);
    EXPECT_EQ(features.AddTo(read.model), "");
    return tavik::import::SchemaReader::ModelText(read.model);
  };
  ASSERT_EQ(Run("import staff.db -o plain.json").status, 0);
  EXPECT_EQ(ReadWholeFile(dir_ / "plain.json"), document_text({}));
  CliResult named =
      Run("import staff.db -o named.json --lookup staff=full_name --lookup DEPT=code");
  ASSERT_EQ(named.status, 0) << named.err;
  const std::string text = ReadWholeFile(dir_ / "named.json");
  EXPECT_EQ(text, document_text({{"staff", "full_name"}, {"DEPT", "code"}}));
  EXPECT_THAT(text, HasSubstr("\"DISPLAY_COLUMN\": \"FULL_NAME\""));

  CliResult no_column = Run("import staff.db -o bad.json --lookup STAFF=NOPE");
  EXPECT_EQ(no_column.status, 64);
  EXPECT_THAT(no_column.err, HasSubstr("tavikfw import: --lookup STAFF=NOPE: table STAFF has no "
                                       "column NOPE\n"));
  CliResult no_table = Run("import staff.db -o bad.json --lookup NOPE=X");
  EXPECT_THAT(no_table.err, HasSubstr("tavikfw import: --lookup NOPE=X: there is no table NOPE\n"));
  EXPECT_FALSE(fs::exists(dir_ / "bad.json"));
}

TEST_F(ImportCommandTest, UsageErrorsAndOutputFaults) {
  Database("orders.db", kOrderEntry);
  EXPECT_EQ(Run("import orders.db").status, 64) << "the output must be named";
  EXPECT_EQ(Run("import -o model.json").status, 64);
  CliResult no_folder = Run("import orders.db -o no/such/model.json");
  EXPECT_EQ(no_folder.status, 73);
  EXPECT_THAT(no_folder.err, HasSubstr("no/such/model.json"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"orders.db"}));
  // The database is still one.
  EXPECT_EQ(Run("import orders.db -o model.json").status, 0);
}

}  // namespace
