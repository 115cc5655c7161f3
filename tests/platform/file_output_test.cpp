// Output written whole or not at all: each failure of the disk gives its status and a message
// naming the kind of file, and leaves the file that was there and no other.
#include "platform/file_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "fakes/cli_run.h"
#include "fakes/failing_disk.h"
#include "fakes/scoped_fakes.h"
#include "platform/native_disk.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using Step = testing::FailingDisk::Step;

TEST(FileOutput, EveryFailureOfTheDiskKeepsTheFileAndNamesItsKind) {
  struct {
    Step step;
    const char* output;  // there already, holding "before"
    Status status;
    const char* message;  // the box's text up to the path
    // Handed over in pieces, the text read back is compared by its fingerprint; held whole,
    // as it stands.
    bool in_pieces = false;
  } const faults[] = {
      {Step::kCreate, "F.FRM", 73, "Cannot create the form file"},
      {Step::kWrite, "M.json", 74, "Cannot write the model file"},
      {Step::kWrite, "P.svg", 74, "Cannot write the picture"},
      {Step::kLoseText, "F.FRM", 74, "Cannot write the form file"},
      {Step::kLoseText, "F.FRM", 74, "Cannot write the form file", true},
      {Step::kRename, "P.png", 73, "Cannot create the picture"},
      {Step::kNone, "D/", 73, "Cannot create the file"},
  };
  for (const auto& fault : faults) {
    testing::ScratchFolder folder;
    const std::string path = (folder.path() / fault.output).string();
    std::string reason = fault.step == Step::kNone       ? "it is a folder"
                         : fault.step == Step::kLoseText ? std::string(kReadBackDiffers)
                                                         : "No space left on device";
    fs::create_directory(folder.path() / "D");
    testing::WriteWholeFile(path, "before");
    testing::ScopedFakes fakes;
    testing::FailingDisk disk(fault.step, reason);
    const Status status = fault.in_pieces ? WriteFileAtomically(path,
                                                                [](TextSink& file) {
                                                                  file.Write("af");
                                                                  file.Write("ter");
                                                                })
                                          : WriteFileAtomically(path, "after");
    EXPECT_EQ(status, fault.status) << path;
    EXPECT_EQ(
        fakes.message_boxes.Texts(),
        std::vector<std::string>{std::string(fault.message) + " \"" + path + "\": " + reason});
    EXPECT_EQ(testing::ReadWholeFile(path), fault.step == Step::kNone ? "" : "before");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()),
              fault.step == Step::kNone ? 1 : 2)
        << path << ": only the files that were there";
  }
}

TEST(FileOutput, ReplacesWholeAndThenSyncsTheFolder) {
  testing::ScratchFolder folder;
  const std::string path = (folder.path() / "F.FRM").string();
  testing::WriteWholeFile(path, "before");
  testing::FailingDisk disk(Step::kNone, "");
  ASSERT_EQ(WriteFileAtomically(path, "after"), kOk);
  EXPECT_EQ(testing::ReadWholeFile(path), "after");
  EXPECT_EQ(disk.synced_folder, folder.path().string());

  // A large file has its disk blocks taken ahead of its text; only its text is read back, and
  // the blocks past its end are given back.
  const std::string piece(std::size_t{1} << 20, 'x');
  ASSERT_EQ(WriteFileAtomically(path,
                                [&piece](TextSink& file) {
                                  for (int count = 0; count < 5; ++count) file.Write(piece);
                                  file.Write("end");
                                }),
            kOk);
  EXPECT_EQ(fs::file_size(path), 5 * piece.size() + 3);
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_LT(status.st_blocks * 512, 6 * piece.size());
}

// A signal that ends the process takes the files being written with it: a form's own file,
// begun as its entities are generated, and one written meanwhile.
TEST(FileOutputDeathTest, ASignalRemovesTheFileBeingWritten) {
  testing::ScratchFolder folder;
  for (int signal_number : {SIGINT, SIGHUP, SIGTERM, SIGPIPE}) {
    EXPECT_EXIT(
        {
          RemoveUnfinishedFileOnSignals();
          NativeDisk disk;
          std::string error;
          std::unique_ptr<ScratchFile> blocks =
              disk.CreateScratchBeside((folder.path() / "G.FRM").string(), 100, error);
          blocks->Write("control blocks");
          std::unique_ptr<DiskFile> file =
              disk.CreateBeside((folder.path() / "F.FRM").string(), error);
          file->Write("half a form");
          if (fs::exists(file->Path())) std::raise(signal_number);
          std::exit(0);
        },
        ::testing::KilledBySignal(signal_number), "");
    EXPECT_TRUE(fs::is_empty(folder.path())) << signal_number;
  }
}

}  // namespace
}  // namespace tavik
