// What the user owns is never replaced unasked, and every refusal names its cause: a table of
// runs, each with the files before, the status, a part of the message and the files after.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;

const std::string kModel = std::string("'") + TAVIK_SOURCE_DIR + "/examples/order_entry.json' ";
const std::string kForm = "VERSION 4.00\r\nBegin VB.Form A\r\nEnd\r\n";

// A write that never finished: the process ends inside its transaction, leaving the journal.
void MakeHotJournal(const std::string& path) {
  if (::fork() == 0) {
    sqlite3* database = nullptr;
    sqlite3_open(path.c_str(), &database);
    sqlite3_exec(database,
                 "PRAGMA cache_size=1; CREATE TABLE t (a TEXT); BEGIN; WITH RECURSIVE n(i) AS "
                 "(SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                 "INSERT INTO t SELECT printf('%500d', i) FROM n;",
                 nullptr, nullptr, nullptr);
    ::_exit(0);
  }
  ::wait(nullptr);
}

// Files before, by words: "NAME" holds "mine"; NAME:ro read-only, NAME>TARGET a symbolic
// link, NAME/ a folder, NAME:form a form file, NAME:db a database, NAME:journal a database
// with a hot journal, NAME:vbp a project file, NAME:bom settings after a byte-order mark.
void Prepare(const fs::path& folder, const std::string& before) {
  std::istringstream words(before);
  for (std::string word; words >> word;) {
    const std::size_t mark = word.back() == '/' ? word.size() - 1 : word.find_first_of(":>");
    const fs::path path = folder / word.substr(0, mark);
    const std::string kind = mark == std::string::npos ? "" : word.substr(mark);
    if (kind == "/") fs::create_directories(path);
    if (kind.empty() || kind == ":ro") testing::WriteWholeFile(path, "mine");
    if (kind == ":ro") fs::permissions(path, fs::perms::owner_read);
    if (kind[0] == '>') fs::create_symlink(kind.substr(1), path);
    if (kind == ":form") testing::WriteWholeFile(path, kForm);
    if (kind == ":vbp") testing::WriteWholeFile(path, "Type=Exe\r\nForm=A.FRM\r\n");
    if (kind == ":bom") testing::WriteWholeFile(path, "\xEF\xBB\xBF[Visual Basic]\r\nX=1\r\n");
    if (kind == ":db") testing::MakeDatabase(path, "CREATE TABLE t (id INTEGER PRIMARY KEY);");
    if (kind == ":journal") MakeHotJournal(path.string());
  }
}

// Files after, by words: "NAME" still holds "mine", NAME+ is there with other text, NAME- is
// not there; and no half-written file (a name starting with a dot) is left anywhere.
void ExpectAfter(const fs::path& folder, const std::string& after, const std::string& name) {
  std::istringstream words(after);
  for (std::string word; words >> word;) {
    const char last = word.back();
    const fs::path path =
        folder / (last == '+' || last == '-' ? word.substr(0, word.size() - 1) : word);
    if (last == '-') {
      EXPECT_FALSE(fs::exists(fs::symlink_status(path))) << name << ": " << word;
    } else {
      EXPECT_EQ(ReadWholeFile(path) == "mine", last != '+') << name << ": " << word;
      EXPECT_TRUE(fs::exists(path)) << name << ": " << word;
    }
  }
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    EXPECT_NE(entry.path().filename().string()[0], '.') << name << ": " << entry.path();
  }
}

struct TrustCase {
  const char* before;
  std::string arguments;  // "G " stands for generate of the example with --name A, T.INI
  int status;
  const char* message;  // a part of standard error; "" when it must say nothing
  const char* after;
};

const TrustCase kCatalogue[] = {
    {"F.FRM", "G -o F.FRM", 73, "form file F.FRM exists and is not replaced (--force replaces it)",
     "F.FRM"},
    {"F.FRM", "G -o F.FRM --force", 0, "", "F.FRM+"},
    {"F.FRM:ro", "G -o F.FRM --force", 73, "F.FRM is read-only and is never replaced", "F.FRM"},
    {"x F.FRM>x", "G -o F.FRM --force", 73, "F.FRM is a symbolic link, which is not followed", "x"},
    {"Form10.frm", "G -o Form10.FRM", 73, "Form10.FRM (there as ./Form10.frm) exists",
     "Form10.frm Form10.FRM-"},
    {"Form10.frm", "G -o Form10.FRM --force", 0, "", "Form10.FRM+ Form10.frm-"},
    {"", "G -o ./", 73, "the form file ./ is a folder", ""},
    {"live/ live/A.FRM", "G --live live", 73, "live/A.FRM exists and is not replaced",
     "live/A.FRM"},
    {"d.db:db m.json", "import d.db -o m.json", 73, "model file m.json exists and is not",
     "m.json"},
    {"F.FRM:form P.svg", "preview F.FRM -o P.svg", 73, "picture P.svg exists and is not", "P.svg"},
    {"self.png:form", "preview self.png -o self.png --force", 64, "is the form file self.png", ""},
    {"S/", "G -o F.FRM --settings S", 64, "--settings: S is a folder", "F.FRM-"},
    {"S:form", "G -o F.FRM --settings S", 64, "S line 1 is not key=value", "F.FRM-"},
    {"S:vbp", "G -o F.FRM --settings S", 64, "line 1 is a key=value before any [section]", ""},
    {"S:db", "G -o F.FRM --settings S", 64, "--settings: S line 1", "F.FRM-"},
    {"S:bom", "G -o F.FRM --database d.mdb --settings S", 0, "", "S+"},
    {"", "generate none.json --name A --database d --settings T.INI -o F.FRM", 66, "none.json",
     "T.INI-"},
    {"x", "G -o F.FRM --database d --settings x/T.INI", 0,
     "warning: the settings could not be stored in x/T.INI", "F.FRM+"},
    {"d.db:journal", "import d.db -o m.json", 66, "the database has a hot journal (d.db-journal)",
     "m.json-"},
    {"m:form", "generate m --name A -o F.FRM", 65,
     "m: the file is neither a model file (JSON text that begins with {) nor a SQLite database",
     "F.FRM-"},
    {"",
     std::string("generate '") + TAVIK_SOURCE_DIR +
         "/tests/golden/entity_dropped_stop/model.json' --name A -o F.FRM",
     11, "no form was written; --on-entity-error continue generates it", "F.FRM-"},
};

TEST(TrustCatalogue, EveryCaseGivesItsStatusAndMessageAndLosesNothing) {
  for (const TrustCase& trust : kCatalogue) {
    const std::string name = trust.arguments + " [" + trust.before + "]";
    testing::ScratchFolder folder;
    Prepare(folder.path(), trust.before);
    std::string arguments = trust.arguments;
    if (arguments.starts_with("G ")) arguments.replace(0, 2, "generate " + kModel + "--name A ");
    if (arguments.find("--settings") == std::string::npos && arguments.starts_with("generate")) {
      arguments += " --settings T.INI";
    }
    const testing::CliResult result = testing::RunTavikfw(folder.path(), arguments);
    EXPECT_EQ(result.status, trust.status) << name << "\n" << result.err;
    EXPECT_EQ(result.err.find(trust.message) != std::string::npos,
              *trust.message != '\0' || result.err.empty())
        << name << "\n"
        << result.err;
    ExpectAfter(folder.path(), trust.after, name);
  }
}

// At a terminal: the end of input leaves the dialog unanswered (64), a name typed without
// extension gets ".FRM", no name without a stem is offered, and a file that is there is
// replaced only when the user says so.
TEST(TrustCatalogue, AtATerminalTheUserIsAskedAndEndOfInputIsUnanswered) {
  const TrustCase cases[] = {
      {"", "", 64, "Connect: ", ""},
      {"", "\\n\\nOrders\\n\\nOrders\\n", 0, "Filespec: [Orders.FRM]", "Orders.FRM+"},
      {"", "\\n\\n\\n\\n", 64, "Form Caption: Filespec: ", ""},
      {"A.FRM", "\\n\\nA\\n\\n\\nn\\n", 64, "A.FRM is there already. Replace it? [y/N]", "A.FRM"},
      {"A.FRM", "\\n\\nA\\n\\n\\ny\\n", 0, "Replace it?", "A.FRM+"},
  };
  for (const TrustCase& terminal : cases) {
    testing::ScratchFolder folder;
    Prepare(folder.path(), terminal.before);
    const int raw =
        std::system(("cd '" + folder.path().string() + "' && printf '" + terminal.arguments +
                     "' | script -qec \"'" TAVIK_CLI_PATH "' generate " + kModel +
                     "--settings T.INI\" /dev/null >'" + folder.path().string() + ".shown'")
                        .c_str());
    const std::string shown = ReadWholeFile(folder.path().string() + ".shown");
    fs::remove(folder.path().string() + ".shown");
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, terminal.status) << shown;
    EXPECT_NE(shown.find(terminal.message), std::string::npos) << shown;
    EXPECT_EQ(shown.find("[.FRM]"), std::string::npos) << "a name without a stem\n" << shown;
    ExpectAfter(folder.path(), terminal.after, terminal.arguments);
  }
}

// Settings that a run did not change are not written at all: the file stays the very file
// (a hard link keeps the first one's number from being given to a new one).
TEST(TrustCatalogue, UnchangedSettingsAreNotWritten) {
  testing::ScratchFolder folder;
  const std::string run = "generate " + kModel + "--name A --database d.mdb --settings T.INI -o ";
  ASSERT_EQ(testing::RunTavikfw(folder.path(), run + "A.FRM").status, 0);
  fs::create_hard_link(folder.path() / "T.INI", folder.path() / "first");
  ASSERT_EQ(testing::RunTavikfw(folder.path(), run + "B.FRM").status, 0);
  EXPECT_TRUE(fs::equivalent(folder.path() / "T.INI", folder.path() / "first"));
}

}  // namespace
}  // namespace tavik
