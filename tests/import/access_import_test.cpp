// Tests of reading Access files: masks translated, lookups and relationships recognised,
// formats told apart, early, damaged and open files refused; what an import of a real file
// writes is pinned by the Access goldens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "fakes/cli_run.h"
#include "import/access_input_mask.h"
#include "import/access_lookup_query.h"
#include "import/access_relationship_rows.h"
#include "import/database_file.h"
#include "tavikfw/brenlo.h"

namespace fs = std::filesystem;

namespace {

using tavik::import::AccessInputMask;
using tavik::import::AccessLookupQuery;
using tavik::import::AccessRelationshipRows;
using tavik::import::DatabaseFile;
using tavik::testing::CliResult;
using tavik::testing::ReadWholeFile;
using ::testing::HasSubstr;

const fs::path kAccessData = fs::path(TAVIK_SOURCE_DIR) / ".." / "shared" / "data" / "mdb";

TEST(AccessInputMask, TranslatesIntoTheMaskedEditsLanguage) {
  struct Case {
    const char* access;
    const char* mask;
    const char* prompt;
    bool loses;
  };
  const Case cases[] = {
      {">LLLLL", ">?????", "", false},
      {"(999) 000-0000;0;_", "(999) ###-####", "_", false},
      {"99/99/0000;0;#", "99/99/####", "#", false},
      {"\\#0\"A.B\";;*", "\\##\\A\\.B", "*",
       false},  // literals escaped where they are placeholders
      {"!99:00", "99:##", "", true},
  };
  for (const Case& c : cases) {
    const auto translated = AccessInputMask::Translate(c.access);
    ASSERT_TRUE(translated) << c.access;
    EXPECT_EQ(translated->mask, c.mask) << c.access;
    EXPECT_EQ(translated->prompt, c.prompt) << c.access;
    EXPECT_EQ(!translated->lost.empty(), c.loses) << c.access;
  }
  EXPECT_FALSE(AccessInputMask::Translate("Password"));
}

TEST(AccessLookupQuery, ReadsOnlyPlainQueriesOfOneTable) {
  struct Case {
    const char* row_source;
    const char* table;  // nullptr: not a plain query
    const char* columns;
  };
  const Case cases[] = {
      {"SELECT DISTINCTROW [CustomerID],[CompanyName] FROM [Customers] ORDER BY [CompanyName];",
       "Customers", "CustomerID|CompanyName"},
      {"select Shippers.ShipperID, [Shippers].[Company Name] from Shippers", "Shippers",
       "ShipperID|Company Name"},
      {"Categories", "Categories", ""},
      {"SELECT Employees.EmployeeID, [LastName] & \", \" & [FirstName] AS Name FROM Employees",
       nullptr, ""},
      {"SELECT [ID] FROM [Customers] WHERE [Active]", nullptr, ""},
      {"SELECT Orders.ID FROM Customers", nullptr, ""},
      {"SELECT [ID FROM [T]", nullptr, ""},
  };
  for (const Case& c : cases) {
    const auto query = AccessLookupQuery::Parse(c.row_source);
    ASSERT_EQ(query.has_value(), c.table != nullptr) << c.row_source;
    if (!query) continue;
    EXPECT_EQ(query->table(), c.table);
    std::string columns;
    for (const auto& column : query->columns()) columns += (columns.empty() ? "" : "|") + column;
    EXPECT_EQ(columns, c.columns) << c.row_source;
  }
}

TEST(AccessRelationshipRows, KeepsARelationshipOfSeveralColumnsWhole) {
  const auto gathered =
      AccessRelationshipRows::Gather({{"LinesOrders", 1, "Lines", "OrderYear", "Orders", "Year"},
                                      {"ItemsLines", 0, "Items", "LineID", "Lines", "ID"},
                                      {"LinesOrders", 0, "Lines", "OrderNo", "Orders", "No"},
                                      {"LinesSystem", 0, "Lines", "X", "MSysObjects", "Id"}},
                                     {"Lines", "Orders", "Items"});
  ASSERT_EQ(gathered.size(), 2u);
  EXPECT_EQ(gathered[1].detail, "Lines");
  EXPECT_EQ(gathered[1].master, "Orders");
  const std::vector<std::pair<std::string, std::string>> pairs = {{"OrderNo", "No"},
                                                                  {"OrderYear", "Year"}};
  EXPECT_EQ(gathered[1].columns, pairs);
  EXPECT_EQ(gathered[0].columns.size(), 1u);
}

class AccessFiles : public testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kAccessData))
      GTEST_SKIP() << "the Access test files are not at " << kAccessData;
  }
};

TEST_F(AccessFiles, EachFormatIsReadAndWarnedOfByVersion) {
  struct Case {
    const char* file;
    const char* format;
  };
  for (const Case& c : {Case{"nwind.mdb", "Jet 3"}, Case{"DateTestDatabase.mdb", "Jet 4"},
                        Case{"ASampleDatabase.accdb", "ACE"}}) {
    const std::string path = (kAccessData / c.file).string();
    EXPECT_EQ(DatabaseFile::KindOf(path.c_str()), DatabaseFile::Kind::kAccess) << c.file;
    EXPECT_EQ(DatabaseFile::Read(path).status, BR_LOAD_OK) << c.file;
    EXPECT_THAT(DatabaseFile::VisualBasicWarning(path, 3), HasSubstr(c.format)) << c.file;
  }
  // Only Jet 4 and ACE files are beyond every Visual Basic 4.
  EXPECT_THAT(DatabaseFile::VisualBasicWarning((kAccessData / "nwind.mdb").string(), 4),
              HasSubstr("16-bit"));
  EXPECT_THAT(DatabaseFile::VisualBasicWarning((kAccessData / "DateTestDatabase.mdb").string(), 4),
              HasSubstr("a copy saved as Access 97"));
}

using AccessImport = tavik::testing::CliTest;

TEST_F(AccessImport, ADamagedFileIsRefusedAndNothingIsWritten) {
  // An Access header over nothing that libmdb can read.
  Write("broken.mdb", std::string("\0\1\0\0Standard Jet DB\0\0\0\0\0", 24) + std::string(100, 'x'));
  CliResult damaged = Run("import broken.mdb -o model.json");
  EXPECT_EQ(damaged.status, 65);
  EXPECT_THAT(damaged.err, HasSubstr("broken.mdb: the Access file is damaged"));
  EXPECT_FALSE(fs::exists(dir_ / "model.json"));
}

TEST_F(AccessImport, EarlyVersionsAndOpenFilesAreRefused) {
  if (!fs::exists(kAccessData / "nwind.mdb")) GTEST_SKIP() << "no " << kAccessData;
  // A Jet 3 file made to say Jet 2: the early version byte of its first page set.
  std::string early_file = ReadWholeFile(kAccessData / "nwind.mdb");
  early_file[0x40A] = 0x09;
  Write("old.mdb", early_file);
  for (const char* command :
       {"import old.mdb -o OUT", "generate old.mdb --settings T.INI -o OUT"}) {
    CliResult early = Run(command);
    EXPECT_EQ(early.status, 65) << command;
    EXPECT_THAT(early.err,
                HasSubstr("old.mdb: the Access file is in the Jet 2.x (Access 2.0) format"));
    EXPECT_FALSE(fs::exists(dir_ / "OUT")) << command;
    EXPECT_FALSE(fs::exists(dir_ / "T.INI")) << command;
  }
  EXPECT_EQ(ReadWholeFile(dir_ / "old.mdb"), early_file);

  fs::create_symlink(kAccessData / "nwind.mdb", dir_ / "nwind.mdb");
  Write("nwind.ldb", "lock");
  CliResult stale = Run("import nwind.mdb -o model.json");
  EXPECT_EQ(stale.status, 0);
  EXPECT_THAT(stale.err, HasSubstr("nwind.ldb is left from a program that did not close"));
  // Another program holds the lock file while it has the database open.
  const int lock = ::open((dir_ / "nwind.ldb").c_str(), O_RDWR);
  struct flock held {};
  held.l_type = F_WRLCK;
  held.l_whence = SEEK_SET;
  ASSERT_EQ(::fcntl(lock, F_SETLK, &held), 0);
  fs::remove(dir_ / "model.json");
  CliResult open = Run("import nwind.mdb -o model.json");
  ::close(lock);
  EXPECT_EQ(open.status, 66);
  EXPECT_THAT(open.err, HasSubstr("the database is open in another program"));
  EXPECT_FALSE(fs::exists(dir_ / "model.json"));
}

TEST_F(AccessImport, AFileNamedRelativelyOpensInTheApplicationsFolder) {
  if (!fs::exists(kAccessData / "nwind.mdb")) GTEST_SKIP() << "no " << kAccessData;
  fs::create_symlink(kAccessData / "nwind.mdb", dir_ / "nwind.mdb");
  ASSERT_EQ(Run("generate nwind.mdb --settings T.INI -o F.FRM").status, 0);
  const std::string form = ReadWholeFile(dir_ / "F.FRM");
  EXPECT_THAT(form, HasSubstr("DatabaseName        =    \"nwind.mdb\""));
  EXPECT_THAT(form, HasSubstr("OpenDatabase(tk_AppFile(\"nwind.mdb\"),FALSE,FALSE,\"\")"));
}

}  // namespace
