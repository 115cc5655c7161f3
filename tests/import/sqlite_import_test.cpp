// Tests of reading a SQLite schema: what it refuses and why; what an import writes is pinned by
// the import goldens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"
#include "import/sqlite_schema_reader.h"
#include "tavikfw/brenlo.h"

namespace fs = std::filesystem;

namespace {

using tavik::import::SchemaImportOptions;
using tavik::import::SqliteSchemaReader;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class SqliteImportTest : public testing::Test {
 protected:
  // A new database made by the SQL text.
  std::string Database(std::string_view sql, const std::string& name = "test.db") {
    tavik::testing::MakeDatabase(dir_ / name, sql);
    return (dir_ / name).string();
  }

  // The message of a refused import, which must start with the path.
  std::string Refusal(std::string_view sql, std::int32_t status = BR_LOAD_REFUSED,
                      const SchemaImportOptions& options = {}) {
    const std::string path = Database(sql);
    SqliteSchemaReader::Outcome outcome = SqliteSchemaReader().Read(path, options);
    EXPECT_EQ(outcome.status, status) << outcome.error;
    EXPECT_THAT(outcome.error, StartsWith(path + ": "));
    return outcome.error.substr(std::min(outcome.error.size(), path.size() + 2));
  }

  tavik::testing::ScratchFolder folder_;
  fs::path dir_ = folder_.path();
};

// A table that keeps its rowids in sqlite_sequence, a view of it and another table.
constexpr std::string_view kShop =
    "CREATE TABLE CUSTOMER (CUST_ID INTEGER PRIMARY KEY AUTOINCREMENT);"
    "CREATE VIEW BIG_CUSTOMER AS SELECT * FROM CUSTOMER;"
    "CREATE TABLE ORDERS (ORDER_ID INTEGER PRIMARY KEY);";

// What the options choose is pinned by the import goldens; here what they cannot choose.
TEST_F(SqliteImportTest, OptionsNamingWhatCannotBeImportedAreRefused) {
  const std::string sql(kShop);
  SchemaImportOptions options{{"CUSTOMER"}, {"ORDERS"}};
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
              HasSubstr("table \"T\", column \"S\": the value 'Ω' of its list cannot be "
                        "used"));
  EXPECT_EQ(Refusal("CREATE VIEW V AS SELECT 1"), "the database has no tables to import");
}

TEST_F(SqliteImportTest, RefusesFilesThatAreNotDatabasesOrCannotBeRead) {
  auto read = [](const fs::path& path) { return SqliteSchemaReader().Read(path.string(), {}); };
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
  SqliteSchemaReader::Outcome locked = SqliteSchemaReader().Read(path, {});
  sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
  EXPECT_EQ(locked.status, BR_LOAD_UNREADABLE);
  EXPECT_EQ(locked.error, path +
                              ": the database is locked by another program; try again when "
                              "it is done");
}

}  // namespace
