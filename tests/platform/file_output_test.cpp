// Output written whole or not at all: each failure of the disk gives its status and its
// message, and leaves the file that was there and no other.
#include "platform/file_output.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "fakes/cli_run.h"
#include "fakes/failing_disk.h"
#include "fakes/scoped_fakes.h"
#include "platform/posix/posix_disk.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::FailingDisk;
using Step = FailingDisk::Step;

struct DiskFault {
  const char* name;
  Step step;
  const char* output;  // in the scratch folder, which holds it already with "before"
  Status status;
  const char* message;  // what the box says
};

TEST(FileOutput, EveryFailureOfTheDiskKeepsTheFileAndNamesItsKind) {
  const DiskFault faults[] = {
      {"folder not writable", Step::kCreate, "F.FRM", 73,
       "Cannot create the form file \"{}\": Permission denied"},
      {"full disk", Step::kWrite, "M.json", 74,
       "Cannot write the model file \"{}\": No space left on device"},
      {"sync fails", Step::kFinish, "P.svg", 74,
       "Cannot write the picture \"{}\": No space left on device"},
      {"rename refused", Step::kRename, "P.png", 73,
       "Cannot create the picture \"{}\": Permission denied"},
  };
  for (const DiskFault& fault : faults) {
    testing::ScratchFolder folder;
    const std::string path = (folder.path() / fault.output).string();
    testing::WriteWholeFile(path, "before");
    testing::ScopedFakes fakes;
    FailingDisk disk(fault.step, fault.step == Step::kWrite || fault.step == Step::kFinish
                                     ? "No space left on device"
                                     : "Permission denied");
    testing::ScopedDisk scoped(disk);
    EXPECT_EQ(WriteFileAtomically(path, "after"), fault.status) << fault.name;
    std::string expected(fault.message);
    expected.replace(expected.find("{}"), 2, path);
    EXPECT_EQ(fakes.message_boxes.Texts(), std::vector<std::string>{expected}) << fault.name;
    EXPECT_EQ(testing::ReadWholeFile(path), "before") << fault.name;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
        << fault.name << ": only the file that was there";
  }
}

TEST(FileOutput, ReplacesWholeThenSyncsTheFolderAndRefusesAFolder) {
  testing::ScratchFolder folder;
  const std::string path = (folder.path() / "F.FRM").string();
  testing::WriteWholeFile(path, "before");
  testing::ScopedFakes fakes;
  FailingDisk disk(Step::kNone, "");
  testing::ScopedDisk scoped(disk);
  ASSERT_EQ(WriteFileAtomically(path, "after"), kOk);
  EXPECT_EQ(testing::ReadWholeFile(path), "after");
  EXPECT_EQ(disk.synced_folder, folder.path().string());
  EXPECT_EQ(WriteFileAtomically(folder.path().string() + "/", "x"), 73u);
  EXPECT_NE(fakes.message_boxes.Texts().at(0).find("it is a folder"), std::string::npos);
}

// A signal that ends the process takes the file being written with it.
TEST(FileOutputDeathTest, ASignalRemovesTheFileBeingWritten) {
  testing::ScratchFolder folder;
  const std::string path = (folder.path() / "F.FRM").string();
  for (int signal_number : {SIGINT, SIGHUP, SIGTERM, SIGPIPE}) {
    EXPECT_EXIT(
        {
          RemoveUnfinishedFileOnSignals();
          PosixDisk disk;
          std::string error;
          std::unique_ptr<DiskFile> file = disk.CreateBeside(path, error);
          file->Write("half a form");
          if (fs::exists(file->Path())) std::raise(signal_number);
          std::exit(0);  // the file was not there: the test fails on the status
        },
        ::testing::KilledBySignal(signal_number), "");
    EXPECT_TRUE(fs::is_empty(folder.path())) << signal_number;
  }
}

}  // namespace
}  // namespace tavik
