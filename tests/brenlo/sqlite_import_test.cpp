// Tests of reading a SQLite schema into a model: entities, attributes, edit styles, keys, refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "brenlo/sqlite_schema_reader.h"
#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"
#include "tavikfw/brenlo.h"

namespace fs = std::filesystem;

namespace {

using nlohmann::ordered_json;
using tavik::brenlo::SchemaImportOptions;
using tavik::brenlo::SqliteSchemaReader;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class SqliteImportTest : public testing::Test {
 protected:
  // A new database made by the SQL text.
  std::string Database(std::string_view sql, const std::string& name = "test.db") {
    tavik::testing::MakeDatabase(dir_ / name, sql);
    return (dir_ / name).string();
  }

  ordered_json Model(std::string_view sql, const SchemaImportOptions& options = {}) {
    SqliteSchemaReader::Outcome outcome = SqliteSchemaReader::Read(Database(sql), options);
    EXPECT_EQ(outcome.status, BR_LOAD_OK) << outcome.error;
    return outcome.model;
  }

  // The message of a refused import, which must start with the path.
  std::string Refusal(std::string_view sql, std::int32_t status = BR_LOAD_REFUSED,
                      const SchemaImportOptions& options = {}) {
    const std::string path = Database(sql);
    SqliteSchemaReader::Outcome outcome = SqliteSchemaReader::Read(path, options);
    EXPECT_EQ(outcome.status, status) << outcome.error;
    EXPECT_THAT(outcome.error, StartsWith(path + ": "));
    return outcome.error.substr(std::min(outcome.error.size(), path.size() + 2));
  }

  tavik::testing::ScratchFolder folder_;
  fs::path dir_ = folder_.path();
};

const ordered_json& Entity(const ordered_json& model, std::string_view table) {
  for (const ordered_json& entity : model["entities"]) {
    if (entity["properties"]["PHYSICAL_NAME"] == table) return entity;
  }
  ADD_FAILURE() << "no entity " << table;
  static const ordered_json kNone = ordered_json::object();
  return kNone;
}

const ordered_json& Attribute(const ordered_json& model, std::string_view table,
                              std::string_view column) {
  for (const ordered_json& attribute : Entity(model, table)["attributes"]) {
    if (attribute["ATTRIB_INFO"]["PHYSICAL_NAME"] == column) return attribute;
  }
  ADD_FAILURE() << "no attribute " << table << "." << column;
  static const ordered_json kNone = ordered_json::object();
  return kNone;
}

int Id(const ordered_json& model, std::string_view table, std::string_view column) {
  return Attribute(model, table, column)["ATTRIB_INFO"]["ID"].get<int>();
}

std::vector<std::string> TableNames(const ordered_json& model) {
  std::vector<std::string> names;
  for (const ordered_json& entity : model["entities"]) {
    names.push_back(entity["properties"]["PHYSICAL_NAME"]);
  }
  return names;
}

constexpr std::string_view kMasterDetail = R"(
  CREATE TABLE CUSTOMER (CUST_ID INTEGER PRIMARY KEY AUTOINCREMENT,
                         CUST_NAME VARCHAR(40) NOT NULL, creditLimit DECIMAL(10,2));
  CREATE VIEW BIG_CUSTOMER AS SELECT * FROM CUSTOMER WHERE creditLimit > 1000;
  CREATE TABLE ORDERS (ORDER_ID INTEGER PRIMARY KEY, BUYER INTEGER NOT NULL
                       REFERENCES CUSTOMER (CUST_ID), NOTE TEXT);
  CREATE INDEX ORDERS_BY_BUYER ON ORDERS (BUYER);
)";

TEST_F(SqliteImportTest, MasterAndDetailBecomeEntitiesAndARelationship) {
  const ordered_json model = Model(kMasterDetail);
  EXPECT_EQ(model["tavik_model"], 1);
  // The view, the index and SQLite's own sqlite_sequence are left out.
  EXPECT_EQ(TableNames(model), (std::vector<std::string>{"CUSTOMER", "ORDERS"}));
  EXPECT_EQ(Entity(model, "ORDERS")["properties"].dump(),
            R"({"ID":2,"PHYSICAL_NAME":"ORDERS","UNIQUE_PHYS_NAME":"ORDERS",)"
            R"("DISPLAY_STYLE":"FIELDS","VISIBLE":1})");

  // A plain column, required by NOT NULL, with every group in order.
  EXPECT_EQ(Attribute(model, "CUSTOMER", "CUST_NAME").dump(),
            R"({"ATTRIB_INFO":{"ID":102,"PHYSICAL_NAME":"CUST_NAME","DISPLAY_NAME":"Cust Name",)"
            R"("BASE_NAME":"Cust Name","ROLE_NAME":"Cust Name","REL_COUNT":0,"REQUIRED":1},)"
            R"j("FORM_ATTRIB_INFO":{"VISIBLE":1},"COL_PROP":{"CD_TYP":"VARCHAR(40)",)j"
            R"("CD_NAM":"CUST_NAME","CD_PLB":"Cust Name","CD_REQ":"Y"},"CP_EST":{"ES_TYP":4}})");
  const ordered_json& limit = Attribute(model, "CUSTOMER", "creditLimit");
  EXPECT_EQ(limit["ATTRIB_INFO"]["DISPLAY_NAME"], "Credit Limit");
  EXPECT_EQ(limit["ATTRIB_INFO"]["REQUIRED"], 0);
  EXPECT_FALSE(limit["COL_PROP"].contains("CD_REQ"));

  // The key column names the relation and takes the parent column's name as base name,
  // which is how the parent's key is found again.
  const ordered_json& buyer = Attribute(model, "ORDERS", "BUYER")["ATTRIB_INFO"];
  EXPECT_EQ(buyer["DISPLAY_NAME"], "Buyer");
  EXPECT_EQ(buyer["BASE_NAME"], "Cust Id");
  EXPECT_EQ(buyer["REL_COUNT"], 1);
  EXPECT_EQ(buyer["REL0_ID"], 1);
  EXPECT_EQ(model["relationships"].dump(),
            R"([{"properties":{"RELATION_ID":1,"PARENT_ENTITY":1,"CHILD_ENTITY":2},)"
            R"("attributes":[202]}])");
}

TEST_F(SqliteImportTest, CompositeKeysKeepTheirOrderAndAChildMayHaveTwoParents) {
  const ordered_json model = Model(R"(
    CREATE TABLE SHELF (SHELF_NO INTEGER, BRANCH_ID INTEGER, PRIMARY KEY (BRANCH_ID, SHELF_NO));
    CREATE TABLE BOOK (ISBN TEXT PRIMARY KEY, TITLE TEXT);
    CREATE TABLE COPY (COPY_ID INTEGER PRIMARY KEY, ON_SHELF INTEGER, AT_BRANCH INTEGER,
                       ISBN TEXT REFERENCES BOOK,
                       FOREIGN KEY (AT_BRANCH, ON_SHELF) REFERENCES SHELF (BRANCH_ID, SHELF_NO));
    -- No column list: the parent's primary key, in the key's order.
    CREATE TABLE COPY_NOTE (NOTE_ID INTEGER PRIMARY KEY, B INTEGER, S INTEGER,
                            FOREIGN KEY (B, S) REFERENCES SHELF);
    -- One column in two keys.
    CREATE TABLE MOVE (ISBN TEXT, SHELF INTEGER, FOREIGN KEY (ISBN) REFERENCES BOOK,
                       FOREIGN KEY (ISBN, SHELF) REFERENCES SHELF (BRANCH_ID, SHELF_NO));
  )");
  const ordered_json& links = model["relationships"];
  ASSERT_EQ(links.size(), 5u);
  // Keys are numbered in the order they are written: the column's key comes first.
  EXPECT_EQ(links[0]["properties"]["PARENT_ENTITY"], 2);
  EXPECT_EQ(links[0]["attributes"], ordered_json::array({Id(model, "COPY", "ISBN")}));
  EXPECT_EQ(links[1]["properties"].dump(),
            R"({"RELATION_ID":2,"PARENT_ENTITY":1,"CHILD_ENTITY":3})");
  EXPECT_EQ(links[1]["attributes"],
            ordered_json::array({Id(model, "COPY", "AT_BRANCH"), Id(model, "COPY", "ON_SHELF")}));
  EXPECT_EQ(Attribute(model, "COPY", "AT_BRANCH")["ATTRIB_INFO"]["BASE_NAME"], "Branch Id");
  EXPECT_EQ(Attribute(model, "COPY", "ON_SHELF")["ATTRIB_INFO"]["BASE_NAME"], "Shelf No");
  EXPECT_EQ(Attribute(model, "COPY", "ISBN")["ATTRIB_INFO"]["REL0_ID"], 1);
  EXPECT_EQ(Attribute(model, "COPY", "ON_SHELF")["ATTRIB_INFO"]["REL0_ID"], 2);

  EXPECT_EQ(links[2]["attributes"],
            ordered_json::array({Id(model, "COPY_NOTE", "B"), Id(model, "COPY_NOTE", "S")}));
  EXPECT_EQ(Attribute(model, "COPY_NOTE", "B")["ATTRIB_INFO"]["BASE_NAME"], "Branch Id");
  EXPECT_EQ(Attribute(model, "COPY_NOTE", "S")["ATTRIB_INFO"]["BASE_NAME"], "Shelf No");

  const ordered_json& isbn = Attribute(model, "MOVE", "ISBN")["ATTRIB_INFO"];
  EXPECT_EQ(isbn["BASE_NAME"], "Isbn");
  EXPECT_EQ(isbn["REL_COUNT"], 2);
  EXPECT_EQ(isbn["REL0_ID"], 4);
  EXPECT_EQ(isbn["REL1_ID"], 5);
}

TEST_F(SqliteImportTest, EditStylesFollowTheColumn) {
  const ordered_json model = Model(R"(
    CREATE TABLE ITEM (
      STATUS CHAR(1) NOT NULL CHECK (STATUS IN ('O', 'C', 'X', 'O')),
      "Size" TEXT,
      PAID CHAR(1) CHECK (PAID IN ('N', 'Y')),
      LEVEL INTEGER CHECK (LEVEL IN (-1, 0, +1)),
      SIGN INTEGER CHECK (SIGN IN (1, 0)),
      ACTIVE BOOLEAN,
      PHOTO BLOB, SCAN image,
      ADDED DATE, OPENS TIME, CHANGED DATETIME, STAMP timestamp, MEMO BLOB SUB_TYPE TEXT,
      QTY INTEGER CHECK (QTY > 0), KIND TEXT CHECK (KIND NOT IN ('A', 'B')),
      PART TEXT CHECK (PART = 'A' OR KIND = 'B'), UNTYPED,
      CHECK ( ("size" = 'S') OR "SIZE" == 'M' OR size = 'L' ))
  )");
  auto style = [&](std::string_view column) {
    return Attribute(model, "ITEM", column)["CP_EST"].dump();
  };
  // A list of literals is the column's valid-value list, shown in a combo box that takes
  // nothing else; repeated values are listed once.
  const ordered_json& status = Attribute(model, "ITEM", "STATUS");
  EXPECT_EQ(status["COL_PROP"]["CD_PTR"], 1);
  EXPECT_EQ(style("STATUS"), R"({"ES_TYP":2,"ESLVAL":1})");
  EXPECT_EQ(status["COL_VLD_RULE"].dump(), R"({"NAME":"ITEM_STATUS"})");
  EXPECT_EQ(status["COL_VLD_VALUE"].dump(), R"([["O","O"],["C","C"],["X","X"]])");
  EXPECT_EQ(Attribute(model, "ITEM", "Size")["COL_VLD_VALUE"].dump(),
            R"([["S","S"],["M","M"],["L","L"]])");
  EXPECT_EQ(Attribute(model, "ITEM", "LEVEL")["COL_VLD_VALUE"].dump(),
            R"([["-1","-1"],["0","0"],["1","1"]])");

  // Two values make a check box whose first entry is the checked one.
  const ordered_json& paid = Attribute(model, "ITEM", "PAID");
  EXPECT_EQ(style("PAID"), R"({"ES_TYP":0,"ES_VLD":1})");
  EXPECT_FALSE(paid["COL_PROP"].contains("CD_PTR"));
  EXPECT_EQ(paid["ES_VLD_RULE"].dump(), R"({"NAME":"ITEM_PAID"})");
  EXPECT_EQ(paid["ES_VLD_VALUE"].dump(), R"([["Y","Y"],["N","N"]])");
  EXPECT_EQ(Attribute(model, "ITEM", "SIGN")["ES_VLD_VALUE"].dump(), R"([["1","1"],["0","0"]])");
  EXPECT_EQ(style("ACTIVE"), R"({"ES_TYP":0,"ES_VLD":1})");
  EXPECT_EQ(Attribute(model, "ITEM", "ACTIVE")["ES_VLD_VALUE"].dump(),
            R"([["Yes","1"],["No","0"]])");

  EXPECT_EQ(style("PHOTO"), R"({"ES_TYP":8})");
  EXPECT_EQ(style("SCAN"), R"({"ES_TYP":8})");
  // Dates and times as SQLite's date and time functions write them.
  EXPECT_EQ(style("ADDED"), R"({"ES_TYP":5,"ESMMSK":"####-##-##"})");
  EXPECT_EQ(style("OPENS"), R"({"ES_TYP":5,"ESMMSK":"##:##:##"})");
  EXPECT_EQ(style("CHANGED"), R"({"ES_TYP":5,"ESMMSK":"####-##-## ##:##:##"})");
  EXPECT_EQ(style("STAMP"), style("CHANGED"));

  // Other constraints, a column without a type, and text declared with BLOB in its type
  // (the words of text affinity come first) leave a plain text box.
  for (std::string_view column : {"QTY", "KIND", "PART", "UNTYPED", "MEMO"}) {
    EXPECT_EQ(style(column), R"({"ES_TYP":4})") << column;
    EXPECT_EQ(Attribute(model, "ITEM", column).size(), 4u) << column;
  }
  EXPECT_EQ(Attribute(model, "ITEM", "UNTYPED")["COL_PROP"]["CD_TYP"], "");
}

TEST_F(SqliteImportTest, NamesReadWellAndStayDistinct) {
  const ordered_json model = Model(R"(
    CREATE TABLE T (CUST_NAME TEXT, custName2 TEXT, "ORDER DATE" TEXT, "order-date" TEXT,
                    ID TEXT, _ TEXT, GENERATED_TOTAL INTEGER GENERATED ALWAYS AS (1))
  )");
  std::vector<std::string> names;
  for (const ordered_json& attribute : Entity(model, "T")["attributes"]) {
    names.push_back(attribute["ATTRIB_INFO"]["DISPLAY_NAME"]);
    EXPECT_EQ(attribute["COL_PROP"]["CD_PLB"], names.back());
  }
  // A computed column cannot be entered and is left out.
  EXPECT_EQ(names, (std::vector<std::string>{"Cust Name", "Cust Name2", "Order Date",
                                             "Order Date 2", "Id", "_"}));
}

TEST_F(SqliteImportTest, OptionsChooseTablesAndGrids) {
  const std::string sql = std::string(kMasterDetail) + R"(
    CREATE TABLE EMPLOYEE (EMP_ID INTEGER PRIMARY KEY, BOSS INTEGER REFERENCES EMPLOYEE);
  )";
  SchemaImportOptions options;
  options.tables = {"employee", "orders"};
  options.grid_tables = {"Orders"};
  const ordered_json model = Model(sql, options);
  // Schema order, whatever the order asked; a key to a table left out, or to its own
  // table, is kept as a plain column.
  EXPECT_EQ(TableNames(model), (std::vector<std::string>{"ORDERS", "EMPLOYEE"}));
  EXPECT_EQ(Entity(model, "ORDERS")["properties"]["ID"], 1);
  EXPECT_EQ(Entity(model, "ORDERS")["properties"]["DISPLAY_STYLE"], "GRID");
  EXPECT_EQ(Entity(model, "EMPLOYEE")["properties"]["DISPLAY_STYLE"], "FIELDS");
  EXPECT_TRUE(model["relationships"].empty());
  const ordered_json& boss = Attribute(model, "EMPLOYEE", "BOSS")["ATTRIB_INFO"];
  EXPECT_EQ(boss["REL_COUNT"], 0);
  EXPECT_EQ(boss["BASE_NAME"], "Boss");

  options = {{"CUSTOMER"}, {"ORDERS"}};
  EXPECT_EQ(Refusal(sql, BR_LOAD_REFUSED, options),
            "\"ORDERS\" is to be shown as a grid but is not among the tables to import");
  options = {{"BIG_CUSTOMER"}, {}};
  EXPECT_EQ(Refusal(sql, BR_LOAD_REFUSED, options),
            "\"BIG_CUSTOMER\" is a view, which cannot be imported; only tables can");
  options = {{"sqlite_sequence"}, {}};
  EXPECT_EQ(Refusal(sql, BR_LOAD_REFUSED, options),
            "the database has no table \"sqlite_sequence\"");
  options = {{}, {"NOWHERE"}};
  EXPECT_EQ(Refusal(sql, BR_LOAD_REFUSED, options), "the database has no table \"NOWHERE\"");
}

TEST_F(SqliteImportTest, AnIntegerPrimaryKeyIsFilledByTheDatabase) {
  struct Case {
    const char* table;
    bool filled;  // the key is the rowid under another name
  };
  const Case cases[] = {
      {"(ID INTEGER PRIMARY KEY, X TEXT)", true},
      {"(ID integer PRIMARY KEY AUTOINCREMENT)", true},
      {"(ID INTEGER NOT NULL, X TEXT, PRIMARY KEY (ID))", true},
      {"(ID INT PRIMARY KEY)", false},
      {"(ID INTEGER PRIMARY KEY DESC)", false},
      {"(ID INTEGER PRIMARY KEY, X TEXT) WITHOUT ROWID", false},
      {"(ID INTEGER, Y INTEGER, PRIMARY KEY (ID, Y))", false},
  };
  for (const Case& c : cases) {
    // An index the query planner could read the key from changes nothing.
    const ordered_json model =
        Model(std::string("CREATE TABLE T ") + c.table + "; CREATE INDEX I ON T (ID);");
    const ordered_json& id = Attribute(model, "T", "ID");
    EXPECT_EQ(id["ATTRIB_INFO"]["REQUIRED"], c.filled ? 0 : 1) << c.table;
    EXPECT_EQ(id["COL_PROP"].contains("CD_REQ"), !c.filled) << c.table;
    EXPECT_EQ(id["COL_PROP"].value("CD_RO", ""), c.filled ? "Y" : "") << c.table;
  }
}

TEST_F(SqliteImportTest, KeysNoFormCanShowStayPlainColumnsWithAWarning) {
  struct Case {
    std::string sql;
    std::string warning;  // after the path
    std::size_t relationships;
  };
  const std::string parent = "CREATE TABLE P (ID INTEGER PRIMARY KEY, K TEXT);";
  const std::string kept = "the foreign key to \"P\" is kept as a plain column: ";
  const Case cases[] = {
      {"CREATE TABLE A (X INTEGER REFERENCES NOWHERE (ID))",
       "table \"A\", column \"X\": the foreign key to \"NOWHERE\" is kept as a plain column: "
       "\"NOWHERE\" is not a table of the database",
       0},
      {"CREATE TABLE Q (ID INTEGER); CREATE VIEW P AS SELECT * FROM Q;"
       "CREATE TABLE A (X INTEGER REFERENCES P (ID))",
       "table \"A\", column \"X\": " + kept + "\"P\" is a view, not a table", 0},
      {parent + "CREATE TABLE A (X INTEGER REFERENCES P (NO))",
       "table \"A\", column \"X\": " + kept + "\"P\" has no column \"NO\"", 0},
      {"CREATE TABLE P (ID INTEGER); CREATE TABLE A (X INTEGER REFERENCES P)",
       "table \"A\", column \"X\": " + kept +
           "it names no columns, and the primary key of \"P\" has 0 columns, not 1",
       0},
      {parent + "CREATE TABLE A (X INTEGER, G INTEGER AS (X + 1), FOREIGN KEY (G) REFERENCES P)",
       "table \"A\", column \"G\": " + kept +
           "column \"G\" is computed by the database and not imported",
       0},
      {"CREATE TABLE P (ID INTEGER PRIMARY KEY, BOSS INTEGER REFERENCES P)",
       "table \"P\", column \"BOSS\": " + kept +
           "it refers to its own table, which a form cannot show as its own master",
       0},
      {parent + "CREATE TABLE A (X INTEGER REFERENCES P, Y TEXT, Z INTEGER,"
                " FOREIGN KEY (Y, Z) REFERENCES P (K, ID))",
       "table \"A\", columns \"Y\", \"Z\": the foreign key to \"P\" is kept as plain columns: "
       "the table has a key to \"P\" already, and a form shows a detail once under its master",
       1},
      // Of a cycle, the key that closes it when the tables are walked in order.
      {"CREATE TABLE A (ID INTEGER PRIMARY KEY, C_ID INTEGER REFERENCES C);"
       "CREATE TABLE B (ID INTEGER PRIMARY KEY, A_ID INTEGER REFERENCES A);"
       "CREATE TABLE C (ID INTEGER PRIMARY KEY, B_ID INTEGER REFERENCES B);",
       "table \"A\", column \"C_ID\": the foreign key to \"C\" is kept as a plain column: it "
       "closes a cycle of masters and their details (\"A\" -> \"B\" -> \"C\" -> \"A\"), which "
       "no form can show",
       2},
  };
  for (const Case& c : cases) {
    const std::string path = Database(c.sql);
    SqliteSchemaReader::Outcome outcome = SqliteSchemaReader::Read(path);
    ASSERT_EQ(outcome.status, BR_LOAD_OK) << outcome.error;
    EXPECT_EQ(outcome.warnings, std::vector<std::string>{path + ": " + c.warning});
    EXPECT_EQ(outcome.model["relationships"].size(), c.relationships) << c.sql;
  }
  // A table left out is named as such.
  SchemaImportOptions options;
  options.tables = {"A"};
  SqliteSchemaReader::Outcome left_out = SqliteSchemaReader::Read(
      Database(parent + "CREATE TABLE A (X INTEGER REFERENCES P)"), options);
  EXPECT_THAT(left_out.warnings.at(0), HasSubstr(kept + "\"P\" is not among the tables imported"));
}

TEST_F(SqliteImportTest, RefusesNamesAFormCannotHold) {
  EXPECT_EQ(Refusal("CREATE TABLE \"A]\" (X INTEGER)"),
            "the name of table \"A]\" cannot be used: a name holding \"]\" cannot be written in "
            "the form's SQL, where such names stand in brackets");
  EXPECT_THAT(Refusal("CREATE TABLE T (\"[X]\" INTEGER)"),
              HasSubstr("table \"T\", column \"[X]\": the name cannot be used: a name holding"));
  EXPECT_EQ(Refusal("CREATE TABLE \"東京\" (X INTEGER)"),
            "the name of table \"東京\" cannot be used: the character \"東\" (U+6771) is not in "
            "Windows-1252");
  EXPECT_THAT(Refusal("CREATE TABLE T (S TEXT CHECK (S IN ('a', 'Ω')))"),
              HasSubstr("table \"T\", column \"S\": the value 'Ω' of its CHECK constraint cannot "
                        "be used"));
  EXPECT_EQ(Refusal("CREATE VIEW V AS SELECT 1"), "the database has no tables to import");
}

TEST_F(SqliteImportTest, RefusesFilesThatAreNotDatabasesOrCannotBeRead) {
  auto read = [](const fs::path& path) { return SqliteSchemaReader::Read(path.string()); };
  // A text file's and a missing file's messages are pinned by the import command's tests.
  std::ofstream(dir_ / "empty.db").flush();
  EXPECT_EQ(read(dir_ / "empty.db").status, BR_LOAD_REFUSED);

  // The right header over a damaged body.
  std::ofstream(dir_ / "damaged.db", std::ios::binary)
      << std::string("SQLite format 3\0", 16) << std::string(200, '\x7f');
  SqliteSchemaReader::Outcome damaged = read(dir_ / "damaged.db");
  EXPECT_NE(damaged.status, BR_LOAD_OK);
  EXPECT_THAT(damaged.error, HasSubstr("damaged.db: "));

  EXPECT_EQ(read(dir_).status, BR_LOAD_UNREADABLE);
}

TEST_F(SqliteImportTest, ALockedDatabaseIsReportedAsLocked) {
  const std::string path = Database("CREATE TABLE T (X INTEGER)");
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  SqliteSchemaReader::Outcome locked = SqliteSchemaReader::Read(path);
  sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
  EXPECT_EQ(locked.status, BR_LOAD_UNREADABLE);
  EXPECT_EQ(locked.error, path +
                              ": the database is locked by another program; try again when "
                              "it is done");
}

}  // namespace
