// What the user owns is never replaced unasked, and every refusal names its cause: a table of
// runs, each with the files before, the status, the message and the files after.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::ReadWholeFile;
using testing::WriteWholeFile;

constexpr const char* kMine = "mine";   // what the user's files hold before the run
constexpr const char* kAbsent = "";     // the file is not there after the run
constexpr const char* kReplaced = "+";  // the file is there, holding something else now

using Setup = std::function<void(const fs::path& folder)>;

struct TrustCase {
  const char* name;
  Setup setup;
  std::string arguments;
  int status;
  const char* message;  // a part of what standard error says; "" for nothing at all
  std::vector<std::pair<std::string, std::string>> after;
};

Setup Put(const char* name, std::string text = kMine) {
  return [=](const fs::path& folder) { WriteWholeFile(folder / name, text); };
}
Setup ReadOnly(const char* name) {
  return [=](const fs::path& folder) {
    WriteWholeFile(folder / name, kMine);
    fs::permissions(folder / name, fs::perms::owner_read | fs::perms::group_read);
  };
}
Setup Link(const char* name, const char* target) {
  return [=](const fs::path& folder) {
    WriteWholeFile(folder / target, kMine);
    fs::create_symlink(target, folder / name);
  };
}
Setup Folder(const char* name) {
  return [=](const fs::path& folder) { fs::create_directory(folder / name); };
}
Setup Database(const char* name) {
  return [=](const fs::path& folder) {
    testing::MakeDatabase(folder / name, "CREATE TABLE t (id INTEGER PRIMARY KEY, a TEXT);");
  };
}
// A write that never finished: the process ends inside its transaction, leaving the journal.
Setup HotJournal(const char* name) {
  return [=](const fs::path& folder) {
    const std::string path = (folder / name).string();
    if (::fork() == 0) {
      sqlite3* database = nullptr;
      sqlite3_open(path.c_str(), &database);
      sqlite3_exec(database,
                   "PRAGMA cache_size=1; CREATE TABLE t (a TEXT); BEGIN;"
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
                   " INSERT INTO t SELECT printf('%500d', i) FROM n;",
                   nullptr, nullptr, nullptr);
      ::_exit(0);
    }
    ::wait(nullptr);
  };
}
Setup Both(Setup first, Setup second) {
  return [=](const fs::path& folder) {
    first(folder);
    second(folder);
  };
}

const std::string kModel = std::string("'") + TAVIK_SOURCE_DIR + "/examples/order_entry.json'";
const std::string kGenerate = "generate " + kModel + " --name A --settings T.INI ";
const std::string kForm = "VERSION 4.00\r\nBegin VB.Form A\r\nEnd\r\n";

std::vector<TrustCase> Catalogue() {
  return {
      // Outputs that are there.
      {"form there",
       Put("F.FRM"),
       kGenerate + "-o F.FRM",
       73,
       "the form file F.FRM exists and is not replaced (--force replaces it)",
       {{"F.FRM", kMine}}},
      {"form there, --force",
       Put("F.FRM"),
       kGenerate + "-o F.FRM --force",
       0,
       "",
       {{"F.FRM", kReplaced}}},
      {"read-only form, --force",
       ReadOnly("F.FRM"),
       kGenerate + "-o F.FRM --force",
       73,
       "F.FRM is read-only and is never replaced",
       {{"F.FRM", kMine}}},
      {"symbolic link",
       Link("F.FRM", "elsewhere.txt"),
       kGenerate + "-o F.FRM --force",
       73,
       "F.FRM is a symbolic link, which is not followed",
       {{"elsewhere.txt", kMine}}},
      {"other spelling",
       Put("Form10.frm"),
       kGenerate + "-o Form10.FRM",
       73,
       "Form10.FRM (there as ./Form10.frm) exists",
       {{"Form10.frm", kMine}, {"Form10.FRM", kAbsent}}},
      {"other spelling, --force",
       Put("Form10.frm"),
       kGenerate + "-o Form10.FRM --force",
       0,
       "",
       {{"Form10.FRM", kReplaced}, {"Form10.frm", kAbsent}}},
      {"a folder", nullptr, kGenerate + "-o ./", 73, "the form file ./ is a folder", {}},
      {"live form there",
       Both(Folder("live"), Put("live/A.FRM")),
       kGenerate + "--live live",
       73,
       "live/A.FRM exists and is not replaced",
       {{"live/A.FRM", kMine}}},
      {"model there",
       Both(Database("db.sqlite"), Put("m.json")),
       "import db.sqlite -o m.json",
       73,
       "the model file m.json exists and is not replaced",
       {{"m.json", kMine}}},
      {"model there, --force",
       Both(Database("db.sqlite"), Put("m.json")),
       "import db.sqlite -o m.json --force",
       0,
       "",
       {{"m.json", kReplaced}}},
      {"picture there",
       Both(Put("F.FRM", kForm), Put("P.svg")),
       "preview F.FRM -o P.svg",
       73,
       "the picture P.svg exists and is not replaced",
       {{"P.svg", kMine}}},
      {"picture of itself",
       Put("self.png", kForm),
       "preview self.png -o self.png --force",
       64,
       "is the form file self.png",
       {{"self.png", kForm}}},
      // Settings files that are not settings files.
      {"settings a folder",
       Folder("S"),
       "generate " + kModel + " --name A --settings S -o F.FRM",
       64,
       "--settings: S is a folder",
       {{"F.FRM", kAbsent}}},
      {"settings a form",
       Put("S.FRM", kForm),
       "generate " + kModel + " --name A --settings S.FRM -o F.FRM",
       64,
       "S.FRM line 1 is not key=value",
       {{"S.FRM", kForm}, {"F.FRM", kAbsent}}},
      {"settings a project",
       Put("S.VBP", "Type=Exe\r\nForm=A.FRM\r\n"),
       "generate " + kModel + " --name A --settings S.VBP -o F.FRM",
       64,
       "line 1 is a key=value before any [section]",
       {{"S.VBP", "Type=Exe\r\nForm=A.FRM\r\n"}}},
      {"settings a database",
       Database("S.db"),
       "generate " + kModel + " --name A --settings S.db -o F.FRM",
       64,
       "S.db line 1",
       {{"F.FRM", kAbsent}}},
      {"settings with a byte-order mark",
       Put("S.INI", "\xEF\xBB\xBF[Visual Basic]\r\nX=1\r\n"),
       "generate " + kModel + " --name A --database d.mdb --settings S.INI -o F.FRM",
       0,
       "",
       {{"S.INI", "\xEF\xBB\xBF[Visual Basic]\r\nX=1\r\nDatabaseString=d.mdb\r\n"}}},
      {"settings of a failed run",
       nullptr,
       "generate nowhere.json --name A --database d.mdb --settings T.INI -o F.FRM",
       66,
       "nowhere.json",
       {{"T.INI", kAbsent}}},
      {"settings that cannot be stored",
       Put("plain"),
       "generate " + kModel + " --name A --database d.mdb --settings plain/T.INI -o F.FRM",
       0,
       "warning: the settings could not be stored in plain/T.INI",
       {{"F.FRM", kReplaced}}},
      {"database with a hot journal",
       HotJournal("d.db"),
       "import d.db -o m.json",
       66,
       "the database has a hot journal (d.db-journal)",
       {{"m.json", kAbsent}}},
      // Inputs that say what they are not, and failures that say how to go on.
      {"neither model nor database",
       Put("m.frm", kForm),
       "generate m.frm --name A -o F.FRM",
       65,
       "neither a model file (JSON text that begins with {) nor a SQLite database",
       {{"F.FRM", kAbsent}}},
      {"failed entity away from a terminal",
       nullptr,
       std::string("generate '") + TAVIK_SOURCE_DIR +
           "/tests/golden/entity_dropped_stop/model.json' --name A --settings T.INI -o F.FRM",
       11,
       "no form was written; --on-entity-error continue generates it",
       {{"F.FRM", kAbsent}}},
  };
}

void ExpectFilesAfter(const fs::path& folder, const TrustCase& trust) {
  for (const auto& [name, expected] : trust.after) {
    const fs::path path = folder / name;
    if (expected == kAbsent) {
      EXPECT_FALSE(fs::exists(fs::symlink_status(path))) << trust.name << ": " << name;
    } else if (expected == kReplaced) {
      EXPECT_NE(ReadWholeFile(path), kMine) << trust.name << ": " << name;
      EXPECT_TRUE(fs::exists(path)) << trust.name << ": " << name;
    } else {
      EXPECT_EQ(ReadWholeFile(path), expected) << trust.name << ": " << name;
    }
  }
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    EXPECT_NE(entry.path().filename().string().front(), '.')
        << trust.name << ": a file left half written: " << entry.path();
  }
}

TEST(TrustCatalogue, EveryCaseGivesItsStatusAndMessageAndLosesNothing) {
  for (const TrustCase& trust : Catalogue()) {
    testing::ScratchFolder folder;
    if (trust.setup) trust.setup(folder.path());
    CliResult result = testing::RunTavikfw(folder.path(), trust.arguments);
    fs::remove(folder.path() / "out.txt");
    fs::remove(folder.path() / "err.txt");
    EXPECT_EQ(result.status, trust.status) << trust.name << "\n" << result.err;
    if (*trust.message == '\0') {
      EXPECT_EQ(result.err, "") << trust.name;
    } else {
      EXPECT_NE(result.err.find(trust.message), std::string::npos) << trust.name << "\n"
                                                                   << result.err;
    }
    ExpectFilesAfter(folder.path(), trust);
  }
}

// Settings that a run did not change are not written at all: the file stays the very file.
TEST(TrustCatalogue, UnchangedSettingsAreNotWritten) {
  testing::ScratchFolder folder;
  const std::string run = "generate " + kModel + " --name A --database d.mdb --settings T.INI ";
  ASSERT_EQ(testing::RunTavikfw(folder.path(), run + "-o A.FRM").status, 0);
  struct stat before {};
  ASSERT_EQ(::stat((folder.path() / "T.INI").c_str(), &before), 0);
  ASSERT_EQ(testing::RunTavikfw(folder.path(), run + "-o B.FRM").status, 0);
  struct stat after {};
  ASSERT_EQ(::stat((folder.path() / "T.INI").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

struct TerminalCase {
  const char* name;
  Setup setup;
  const char* answers;  // the lines typed, for printf
  int status;
  const char* shown;  // a part of what the terminal shows
  std::vector<std::pair<std::string, std::string>> after;
};

// At a terminal: the end of input is an unanswered dialog, a name typed without extension
// gets ".FRM", no name without a stem is offered, and a file that is there is replaced only
// when the user says so.
TEST(TrustCatalogue, AtATerminalTheUserIsAskedAndEndOfInputIsUnanswered) {
  const TerminalCase cases[] = {
      {"end of input", nullptr, "", 64, "Connect: ", {}},
      {"no extension",
       nullptr,
       "\\n\\nOrders\\n\\nOrders\\n",
       0,
       "Filespec: [Orders.FRM]",
       {{"Orders.FRM", kReplaced}}},
      {"no stem offered", nullptr, "\\n\\n\\n\\n", 64, "Form Caption: Filespec: ", {}},
      {"replace refused",
       Put("A.FRM"),
       "\\n\\nA\\n\\n\\nn\\n",
       64,
       "A.FRM is there already. Replace it? [y/N]",
       {{"A.FRM", kMine}}},
      {"replace accepted",
       Put("A.FRM"),
       "\\n\\nA\\n\\n\\ny\\n",
       0,
       "Replace it?",
       {{"A.FRM", kReplaced}}},
  };
  for (const TerminalCase& terminal : cases) {
    testing::ScratchFolder folder;
    if (terminal.setup) terminal.setup(folder.path());
    const std::string command = "cd '" + folder.path().string() + "' && printf '" +
                                terminal.answers +
                                "' | script -qec \"'" TAVIK_CLI_PATH "' generate " + kModel +
                                " --settings T.INI\" /dev/null >shown.txt 2>&1";
    const int raw = std::system(command.c_str());
    const std::string shown = ReadWholeFile(folder.path() / "shown.txt");
    fs::remove(folder.path() / "shown.txt");
    fs::remove(folder.path() / "T.INI");
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, terminal.status) << terminal.name << shown;
    EXPECT_NE(shown.find(terminal.shown), std::string::npos) << terminal.name << "\n" << shown;
    EXPECT_EQ(shown.find("[.FRM]"), std::string::npos)
        << terminal.name << ": a name without a stem";
    ExpectFilesAfter(folder.path(), {terminal.name, nullptr, "", 0, "", terminal.after});
  }
}

}  // namespace
}  // namespace tavik
