// Output files written whole or not at all, through the disk in force.
#include "platform/file_output.h"

#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "base/exit_status.h"
#include "platform/disk.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/text_digest.h"
#include "text/ascii_case.h"

namespace tavik {

namespace {

void ShowFileError(std::string_view doing, const std::string& path, std::string_view why) {
  if (auto* boxes = CurrentPlatform().message_boxes) {
    boxes->ShowMessage("Tavik Form Wizard Error", fmt::format("Cannot {} the {} \"{}\": {}", doing,
                                                              OutputKind(path), path, why));
  }
}

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

bool IsFolder(const std::string& path) {
  std::error_code ignored;
  return !path.empty() && (path.back() == '/' || path.back() == '\\' ||
                           std::filesystem::is_directory(path, ignored));
}

// Hands the text on to the file and fingerprints it on the way.
class DigestingSink final : public TextSink {
 public:
  explicit DigestingSink(TextSink& file) : file_(file) {}
  void Write(std::string_view text) override {
    file_.Write(text);
    digest_.Add(text);
  }
  const TextDigest& Digest() const { return digest_; }

 private:
  TextSink& file_;
  TextDigest digest_;
};

// Whether the file on the disk holds exactly the text that was written to it.
bool ReadsBackAsWritten(const std::string& path, const TextDigest& written) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  TextDigest read;
  static constexpr std::size_t kPiece = 1 << 16;
  // Left uninitialised: each read fills what is used, and a file is read back on every write.
  auto piece = std::make_unique_for_overwrite<char[]>(kPiece);
  while (file) {
    file.read(piece.get(), kPiece);
    read.Add(std::string_view(piece.get(), static_cast<std::size_t>(file.gcount())));
  }
  return file.eof() && read == written;
}

}  // namespace

std::string OutputKind(const std::string& path) {
  const std::string extension =
      text::AsciiLowered(std::filesystem::path(path).extension().string());
  if (extension == ".frm") return "form file";
  if (extension == ".svg" || extension == ".png") return "picture";
  if (extension == ".json") return "model file";
  if (extension == ".bas") return "module";
  if (extension == ".vbp" || extension == ".mak") return "project file";
  if (extension == ".ini") return "settings file";
  return "file";
}

// The order makes the replacement durable: the text is synced before the rename, so the
// name never points at text still in memory, and the folder after it, so the rename
// itself is on the disk. Before the rename the new file is read back, so a disk that lost
// text without saying so never replaces a good file. A failure at any step removes the new
// file and leaves the old.
Status WriteFileAtomically(const std::string& path,
                           const std::function<void(TextSink& file)>& write_text) {
  if (IsFolder(path)) {
    ShowFileError("create", path, "it is a folder");
    return kExitCannotCreate;
  }
  Disk& disk = *CurrentPlatform().disk;
  std::string error;
  std::unique_ptr<DiskFile> file = disk.CreateBeside(path, error);
  if (!file) {
    ShowFileError("create", path, error);
    return kExitCannotCreate;
  }
  const std::string temporary = file->Path();
  DigestingSink sink(*file);
  try {
    write_text(sink);
  } catch (const WriteFailure& failure) {
    (void)file->Finish();  // the failure in hand is the one to tell
    disk.Remove(temporary);
    ShowFileError("write", path, failure.what());
    return kExitWriteFailed;
  } catch (...) {
    (void)file->Finish();  // the file goes all the same; the fault in hand is the one to tell
    disk.Remove(temporary);
    throw;
  }
  if (error = file->Finish(); !error.empty()) {
    disk.Remove(temporary);
    ShowFileError("write", path, error);
    return kExitWriteFailed;
  }
  if (!ReadsBackAsWritten(temporary, sink.Digest())) {
    disk.Remove(temporary);
    ShowFileError("write", path, kReadBackDiffers);
    return kExitWriteFailed;
  }
  if (error = disk.Rename(temporary, path); !error.empty()) {
    disk.Remove(temporary);
    ShowFileError("create", path, error);
    return kExitCannotCreate;
  }
  disk.SyncFolder(FolderOf(path));
  return kOk;
}

}  // namespace tavik
