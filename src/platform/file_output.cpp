// Output files written whole or not at all, through the disk in force.
#include "platform/file_output.h"

#include <fmt/format.h>

#include <filesystem>
#include <memory>

#include "base/exit_status.h"
#include "platform/disk.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
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
// itself is on the disk. A failure at any step removes the new file and leaves the old.
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
  try {
    write_text(*file);
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
  if (error = disk.Rename(temporary, path); !error.empty()) {
    disk.Remove(temporary);
    ShowFileError("create", path, error);
    return kExitCannotCreate;
  }
  disk.SyncFolder(FolderOf(path));
  return kOk;
}

}  // namespace tavik
