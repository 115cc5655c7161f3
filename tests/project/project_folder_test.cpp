// A project's folder holds the old project or the new one, never a mix: failed runs, runs
// stopped half-way, runs at once and runs of another version, each with the files after.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <future>
#include <map>

#include "fakes/cli_run.h"

namespace tavik::project {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;
using testing::RunTavikfw;
using testing::ScratchFolder;
using testing::WriteWholeFile;

using Snapshot = std::map<std::string, std::string>;

// Every file of the folder (staging folders included) with its text.
Snapshot Take(const fs::path& folder) {
  Snapshot files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), folder).string()] = ReadWholeFile(entry.path());
    }
  }
  return files;
}

const std::string kModel = std::string(TAVIK_SOURCE_DIR) + "/examples/order_entry.json";

struct FolderCase {
  const char* name;
  std::function<void(const fs::path& out)> before;  // after a first run of version 4
  std::string arguments;
  int status;
  const char* message;  // a part of standard error; "" for none
  std::function<void(const fs::path& out, const Snapshot& was)> after;
};

std::vector<FolderCase> Catalogue() {
  auto unchanged = [](const fs::path& out, const Snapshot& was) { EXPECT_EQ(Take(out), was); };
  return {
      {"a read-only file of the old project stops the run before anything moves",
       [](const fs::path& out) {
         WriteWholeFile(out / "ORDER_EN.FRM", "edited by hand");
         ::chmod((out / "ORDER_EN.FRM").c_str(), 0444);
       },
       "--force", 73, "ORDER_EN.FRM is read-only, so the project cannot replace it", unchanged},
      {"a folder where a file goes stops it the same way",
       [](const fs::path& out) {
         fs::remove(out / "TAVIKSUP.BAS");
         fs::create_directory(out / "TAVIKSUP.BAS");
       },
       "--force", 73, "TAVIKSUP.BAS is a folder", unchanged},
      {"another version's project replaces this one's project file",
       [](const fs::path& out) { WriteWholeFile(out / "KEEP.TXT", "mine"); }, "--force --vb 3", 0,
       "",
       [](const fs::path& out, const Snapshot&) {
         EXPECT_FALSE(fs::exists(out / "ORDER_EN.VBP"));
         EXPECT_TRUE(fs::exists(out / "ORDER_EN.MAK"));
         EXPECT_EQ(ReadWholeFile(out / "KEEP.TXT"), "mine");
       }},
      {"a run stopped between its moves is finished by the next, even one refused",
       [](const fs::path& out) {
         fs::create_directory(out / ".tavik-staging-stopped");
         WriteWholeFile(out / ".tavik-staging-stopped" / "ORDER_EN.FRM", "the stopped run's");
         WriteWholeFile(out / "OLD.FRM", "an earlier run's");
         WriteWholeFile(out / ".tavik-project",
                        "tavikfw project\nstaging .tavik-staging-stopped\nfile ORDER_EN.FRM\n"
                        "file TAVIKSUP.BAS\nfile ORDER_EN.VBP\nremoved OLD.FRM\n");
         fs::create_directory(out / ".tavik-staging-killed");
         WriteWholeFile(out / ".tavik-staging-killed" / "X.FRM", "half");
       },
       "", 73, "an earlier run was stopped while putting its files in place",
       [](const fs::path& out, const Snapshot& was) {
         Snapshot expected = was;
         expected.erase(".tavik-staging-stopped/ORDER_EN.FRM");
         expected.erase(".tavik-staging-killed/X.FRM");
         expected.erase("OLD.FRM");
         expected["ORDER_EN.FRM"] = "the stopped run's";
         expected[".tavik-project"] =
             "tavikfw project\nfile ORDER_EN.FRM\nfile TAVIKSUP.BAS\nfile ORDER_EN.VBP\n";
         EXPECT_EQ(Take(out), expected);
       }},
  };
}

TEST(ProjectFolder, EveryRunLeavesTheOldProjectOrTheNewOneWhole) {
  for (const FolderCase& test : Catalogue()) {
    SCOPED_TRACE(test.name);
    ScratchFolder scratch;
    ASSERT_EQ(RunTavikfw(scratch.path(), "project " + kModel + " -o out --settings x.ini").status,
              0);
    const fs::path out = scratch.path() / "out";
    test.before(out);
    const Snapshot was = Take(out);
    auto result = RunTavikfw(scratch.path(),
                             "project " + kModel + " -o out --settings x.ini " + test.arguments);
    EXPECT_EQ(result.status, test.status) << result.err;
    EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(".tavik-staging"), std::string::npos) << result.err;
    test.after(out, was);
  }
}

// Runs at once of both versions, each forced over the others: each takes its turn, and the
// folder ends holding one whole project of one version, as a run alone writes it.
TEST(ProjectFolder, RunsAtOnceTakeTurns) {
  ScratchFolder scratch;
  std::vector<std::future<testing::CliResult>> runs;
  for (int run = 0; run < 8; ++run) {
    const std::string version = run % 2 == 0 ? "3" : "4";
    const std::string out = run < 2 ? "alone" : "../out";
    const fs::path place = scratch.path() / ("run" + std::to_string(run));
    fs::create_directories(place);
    auto arguments =
        "project " + kModel + " -o " + out + " --force --settings x.ini --vb " + version;
    runs.push_back(std::async(std::launch::async,
                              [place, arguments] { return RunTavikfw(place, arguments); }));
    if (run < 2) {
      EXPECT_EQ(runs.back().get().status, 0);
    }
  }
  for (std::size_t run = 2; run < runs.size(); ++run) EXPECT_EQ(runs[run].get().status, 0);
  const bool vb3 = fs::exists(scratch.path() / "out" / "ORDER_EN.MAK");
  EXPECT_EQ(Take(scratch.path() / "out"), Take(scratch.path() / (vb3 ? "run0" : "run1") / "alone"));
}

}  // namespace
}  // namespace tavik::project
