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

namespace fs = std::filesystem;

namespace {

using tavik::testing::CliResult;
using tavik::testing::ReadWholeFile;
using ::testing::HasSubstr;

// A lending library: branches hold shelves hold copies, which are lent (loans are renewed
// and fined); a loan has two parents, a copy has a book and a two-column shelf key.
constexpr std::string_view kLendingLibrary = R"(
  CREATE TABLE LIBRARY_BRANCH (BRANCH_ID INTEGER PRIMARY KEY, BRANCH_NAME VARCHAR(40) NOT NULL,
                               CITY VARCHAR(30));
  CREATE TABLE PUBLISHER (PUBLISHER_ID INTEGER PRIMARY KEY, PUBLISHER_NAME VARCHAR(60) NOT NULL);
  CREATE TABLE AUTHOR (AUTHOR_ID INTEGER PRIMARY KEY, AUTHOR_NAME VARCHAR(60) NOT NULL);
  CREATE TABLE BOOK (ISBN VARCHAR(13) PRIMARY KEY, TITLE VARCHAR(80) NOT NULL,
                     PUBLISHER_ID INTEGER REFERENCES PUBLISHER);
  CREATE TABLE BOOK_AUTHOR (ISBN VARCHAR(13) REFERENCES BOOK, AUTHOR_ID INTEGER REFERENCES AUTHOR,
                            AUTHOR_ORDER SMALLINT, PRIMARY KEY (ISBN, AUTHOR_ID));
  CREATE TABLE SHELF (BRANCH_ID INTEGER REFERENCES LIBRARY_BRANCH, SHELF_NO INTEGER,
                      FLOOR_NO SMALLINT, PRIMARY KEY (BRANCH_ID, SHELF_NO));
  CREATE TABLE BOOK_COPY (COPY_ID INTEGER PRIMARY KEY, ISBN VARCHAR(13) NOT NULL REFERENCES BOOK,
                          BRANCH_ID INTEGER, SHELF_NO INTEGER,
                          FOREIGN KEY (BRANCH_ID, SHELF_NO) REFERENCES SHELF);
  CREATE TABLE MEMBER (MEMBER_NO INTEGER PRIMARY KEY, MEMBER_NAME VARCHAR(60) NOT NULL,
                       HOME_BRANCH INTEGER REFERENCES LIBRARY_BRANCH (BRANCH_ID),
                       CATEGORY CHAR(1) CHECK (CATEGORY IN ('A', 'C', 'S')), PHOTO BLOB);
  CREATE TABLE LOAN (LOAN_ID INTEGER PRIMARY KEY, COPY_ID INTEGER NOT NULL REFERENCES BOOK_COPY,
                     MEMBER_NO INTEGER NOT NULL REFERENCES MEMBER, LOANED_ON DATE,
                     DUE_ON DATE);
  CREATE TABLE LOAN_RENEWAL (LOAN_ID INTEGER REFERENCES LOAN, RENEWAL_NO SMALLINT,
                             NEW_DUE_ON DATE, PRIMARY KEY (LOAN_ID, RENEWAL_NO));
  CREATE TABLE FINE (FINE_ID INTEGER PRIMARY KEY, LOAN_ID INTEGER NOT NULL REFERENCES LOAN,
                     AMOUNT DECIMAL(8,2) NOT NULL, PAID BOOLEAN);
  CREATE TABLE RESERVATION (RESERVATION_ID INTEGER PRIMARY KEY, ISBN VARCHAR(13) REFERENCES BOOK,
                            MEMBER_NO INTEGER REFERENCES MEMBER, PLACED_ON DATETIME);
)";

// Every kind of column the import tells apart.
constexpr std::string_view kOrderEntry = R"(
  CREATE TABLE CUSTOMER (CUST_ID INTEGER PRIMARY KEY, CUST_NAME VARCHAR(40) NOT NULL,
                         RATING CHAR(1) CHECK (RATING IN ('A', 'B', 'C')), ACTIVE BOOLEAN,
                         LOGO BLOB, SINCE DATE);
  CREATE TABLE ORDERS (ORDER_ID INTEGER PRIMARY KEY, CUST_ID INTEGER NOT NULL
                       REFERENCES CUSTOMER, PAID CHAR(1) CHECK (PAID = 'Y' OR PAID = 'N'));
  CREATE TABLE ORDER_LINE (ORDER_ID INTEGER REFERENCES ORDERS, LINE_NO INTEGER, QTY INTEGER,
                           PRIMARY KEY (ORDER_ID, LINE_NO));
  CREATE TABLE LINE_NOTE (NOTE_ID INTEGER PRIMARY KEY, ORD INTEGER, LNO INTEGER, TEXT_ TEXT,
                          FOREIGN KEY (ORD, LNO) REFERENCES ORDER_LINE (ORDER_ID, LINE_NO));
)";

class ImportCommandTest : public testing::Test {
 protected:
  CliResult Run(const std::string& arguments) {
    return tavik::testing::RunTavikfw(dir_, arguments);
  }

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

  tavik::testing::ScratchFolder folder_;
  fs::path dir_ = folder_.path();
};

TEST_F(ImportCommandTest, AFormFromTheDatabaseEqualsTheFormFromItsImportedModel) {
  Database("orders.sqlite", kOrderEntry);
  CliResult import = Run("import orders.sqlite -o model.json");
  ASSERT_EQ(import.status, 0) << import.err;
  EXPECT_EQ(import.out, "model.json\n");
  EXPECT_EQ(import.err, "");
  EXPECT_EQ(nlohmann::json::parse(ReadWholeFile(dir_ / "model.json"))["entities"].size(), 4u);

  const std::string options = " --name Orders --settings T.INI";
  CliResult from_model = Run("generate model.json -o FROMJSON.FRM" + options);
  CliResult from_database = Run("generate orders.sqlite -o FROMDB.FRM" + options);
  ASSERT_EQ(from_database.status, 0) << from_database.err;
  ASSERT_EQ(from_model.status, 0) << from_model.err;
  const std::string form = ReadWholeFile(dir_ / "FROMDB.FRM");
  EXPECT_EQ(ReadWholeFile(dir_ / "FROMJSON.FRM"), form);
  for (std::string_view control :
       {"ComboBox cbxE1RATING", "CheckBox chkE1ACTIVE", "PictureBox picE1LOGO",
        "MSMask.MaskEdBox mebE1SINCE", "CheckBox chkE2PAID"}) {
    EXPECT_THAT(form, HasSubstr("\tBegin " + std::string(control) + "\r\n"));
  }
  EXPECT_THAT(form, HasSubstr("tk_CB_ControlXlateValue(chkE2PAID, "
                              "dsORDERS.Recordset.Fields(\"PAID\"), \"Y\", \"N\")"));
  // The composite key of the detail's detail is matched column by column.
  EXPECT_THAT(form, HasSubstr("dsLINE_NOTE.RecordSource = sLINE_NOTE_Select & \" ORD = \" & "
                              "tk_SQLValue(dsORDER_LINE, \"ORDER_ID\")& \" AND LNO = \" & "
                              "tk_SQLValue(dsORDER_LINE, \"LINE_NO\")\r\n"));
}

TEST_F(ImportCommandTest, ADozenRelatedTablesImportAndEveryTableGenerates) {
  Database("library.db", kLendingLibrary);
  CliResult import = Run("import library.db -o library.json --grid FINE");
  ASSERT_EQ(import.status, 0) << import.err;
  nlohmann::json model = nlohmann::json::parse(ReadWholeFile(dir_ / "library.json"));
  EXPECT_EQ(model["entities"].size(), 12u);
  EXPECT_EQ(model["relationships"].size(), 13u);

  CliResult generate = Run("generate library.db --name Library --settings T.INI -o LIB.FRM");
  ASSERT_EQ(generate.status, 0) << generate.err;
  const std::string form = ReadWholeFile(dir_ / "LIB.FRM");
  for (const auto& entity : model["entities"]) {
    const std::string table = entity["properties"]["PHYSICAL_NAME"];
    EXPECT_THAT(form, HasSubstr("Begin Data ds" + table + "\r\n")) << table;
  }
  // A child of two parents refreshes on the keys of both, in the order they are written.
  EXPECT_THAT(form, HasSubstr("dsLOAN.RecordSource = sLOAN_Select & \" COPY_ID = \" & "
                              "tk_SQLValue(dsBOOK_COPY, \"COPY_ID\")& \" AND MEMBER_NO = \" & "
                              "tk_SQLValue(dsMEMBER, \"MEMBER_NO\")\r\n"));
  // A two-column key named only by its table, beside a key of one column.
  EXPECT_THAT(form, HasSubstr("dsBOOK_COPY.RecordSource = sBOOK_COPY_Select & \" ISBN = \" & "
                              "tk_SQLValue(dsBOOK, \"ISBN\")& \" AND BRANCH_ID = \" & "
                              "tk_SQLValue(dsSHELF, \"BRANCH_ID\")& \" AND SHELF_NO = \" & "
                              "tk_SQLValue(dsSHELF, \"SHELF_NO\")\r\n"));
  // A key column named unlike the parent's column it refers to.
  EXPECT_THAT(form, HasSubstr("dsMEMBER.RecordSource = sMEMBER_Select & \" HOME_BRANCH = \" & "
                              "tk_SQLValue(dsLIBRARY_BRANCH, \"BRANCH_ID\")\r\n"));
  EXPECT_THAT(form, HasSubstr("\t\tdsMEMBER.Recordset.Fields(\"HOME_BRANCH\") = "
                              "dsLIBRARY_BRANCH.Recordset.Fields(\"BRANCH_ID\")\r\n"));
  // Three levels below a branch, the renewals follow their loan.
  EXPECT_THAT(form, HasSubstr("dsLOAN_RENEWAL.RecordSource = sLOAN_RENEWAL_Select & \" LOAN_ID = "
                              "\" & tk_SQLValue(dsLOAN, \"LOAN_ID\")\r\n"));
}

TEST_F(ImportCommandTest, ChosenTablesOnly) {
  Database("library.db", kLendingLibrary);
  CliResult import =
      Run("import --table LOAN --table member library.db --table FINE -o part.json --grid fine");
  ASSERT_EQ(import.status, 0) << import.err;
  nlohmann::json model = nlohmann::json::parse(ReadWholeFile(dir_ / "part.json"));
  ASSERT_EQ(model["entities"].size(), 3u);
  EXPECT_EQ(model["entities"][0]["properties"]["PHYSICAL_NAME"], "MEMBER");
  EXPECT_EQ(model["entities"][2]["properties"]["DISPLAY_STYLE"], "GRID");
  // LOAN keeps its key to MEMBER; its key to BOOK_COPY, not imported, is a plain column.
  EXPECT_EQ(model["relationships"].size(), 2u);
}

TEST_F(ImportCommandTest, RefusalsSayWhyAndWriteNothing) {
  tavik::testing::WriteWholeFile(dir_ / "notes.db", "these are my notes, not a database\n");
  CliResult not_database = Run("import notes.db -o model.json");
  EXPECT_EQ(not_database.status, 65);
  EXPECT_EQ(not_database.err,
            "Tavik Form Wizard Error: notes.db: the file is not a SQLite database (it does not "
            "begin with the SQLite header)\n");
  EXPECT_EQ(not_database.out, "");

  Database("orphan.db",
           "CREATE TABLE ORDERS (ORDER_ID INTEGER, CUST_ID INTEGER "
           "REFERENCES CUSTOMER (CUST_ID))");
  tavik::testing::WriteWholeFile(dir_ / "model.json", "keep me");
  CliResult orphan = Run("import orphan.db -o model.json");
  EXPECT_EQ(orphan.status, 65);
  EXPECT_THAT(orphan.err, HasSubstr("orphan.db: table \"ORDERS\" has a foreign key to "
                                    "\"CUSTOMER\", which is not a table of the database"));
  CliResult orphan_form = Run("generate orphan.db --name A --settings T.INI -o A.FRM");
  EXPECT_EQ(orphan_form.status, 65);
  EXPECT_EQ(orphan_form.err, orphan.err);

  CliResult missing = Run("import nowhere.db -o model.json");
  EXPECT_EQ(missing.status, 66);
  EXPECT_THAT(missing.err, HasSubstr("nowhere.db: cannot read the file"));

  CliResult unknown_table = Run("import orphan.db -o model.json --table CUSTOMER");
  EXPECT_EQ(unknown_table.status, 65);
  EXPECT_THAT(unknown_table.err, HasSubstr("the database has no table \"CUSTOMER\""));

  EXPECT_EQ(ReadWholeFile(dir_ / "model.json"), "keep me");
  EXPECT_EQ(Files(), (std::vector<std::string>{"model.json", "notes.db", "orphan.db"}))
      << "no temporary or half-written file is left";
}

TEST_F(ImportCommandTest, UsageErrorsAndOutputFaults) {
  Database("orders.db", kOrderEntry);
  EXPECT_EQ(Run("import orders.db").status, 64) << "the output must be named";
  EXPECT_EQ(Run("import -o model.json").status, 64);
  CliResult over_itself = Run("import orders.db -o ./orders.db");
  EXPECT_EQ(over_itself.status, 64);
  EXPECT_THAT(over_itself.err, HasSubstr("would replace the database"));
  CliResult no_folder = Run("import orders.db -o no/such/model.json");
  EXPECT_EQ(no_folder.status, 73);
  EXPECT_THAT(no_folder.err, HasSubstr("no/such/model.json"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"orders.db"}));
  // The database is still one.
  EXPECT_EQ(Run("import orders.db -o model.json").status, 0);
}

}  // namespace
