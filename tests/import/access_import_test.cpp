// Tests of reading Access files: masks translated, formats told apart, damaged files refused;
// what an import of a real file writes is pinned by the Access goldens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fakes/cli_run.h"
#include "import/access_input_mask.h"
#include "import/database_file.h"
#include "tavikfw/brenlo.h"

namespace fs = std::filesystem;

namespace {

using tavik::import::AccessInputMask;
using tavik::import::DatabaseFile;
using tavik::testing::CliResult;
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
  EXPECT_EQ(damaged.status, 66);
  EXPECT_THAT(damaged.err, HasSubstr("broken.mdb: the Access file is damaged"));
  EXPECT_FALSE(fs::exists(dir_ / "model.json"));
}

}  // namespace
