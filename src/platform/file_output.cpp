// Output files written whole or not at all, through the disk in force.
#include "platform/file_output.h"

#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "base/exit_status.h"
#include "platform/disk.h"
#include "platform/file_fingerprint.h"
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

// Hands the text on to the file and fingerprints it on the way; what the file takes from a
// scratch file itself is a part of its own, with the fingerprint taken as it was written there.
class DigestingSink final : public TextSink {
 public:
  DigestingSink(TextSink& file, FileFingerprint& written) : file_(file), written_(written) {}
  void Write(std::string_view text) override {
    file_.Write(text);
    written_.Add(text);
  }
  bool TakeWhole(ScratchFile& scratch, const TextDigest& fingerprint) override {
    if (!file_.TakeWhole(scratch, fingerprint)) return false;
    written_.AddPart(fingerprint);
    return true;
  }

 private:
  TextSink& file_;
  FileFingerprint& written_;
};

// Hands the file on the disk to take piece by piece, as the disk gives it back; false when
// reading stopped before the end, or take refused a piece.
template <class Take>
bool ReadBack(const std::string& path, Take take) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  static constexpr std::size_t kPiece = 1 << 16;
  // Left uninitialised: each read fills what is used, and a file is read back on every write.
  auto piece = std::make_unique_for_overwrite<char[]>(kPiece);
  while (file) {
    file.read(piece.get(), kPiece);
    if (!take(std::string_view(piece.get(), static_cast<std::size_t>(file.gcount())))) {
      return false;
    }
  }
  return file.eof();
}

// Whether the file on the disk holds exactly the text that was written to it.
bool ReadsBackAsWritten(const std::string& path, const FileFingerprint& written) {
  FileFingerprint read;
  return ReadBack(path,
                  [&](std::string_view piece) {
                    read.AddCutAs(piece, written);
                    return true;
                  }) &&
         read == written;
}

// The same for text held whole, compared as it stands: no fingerprint of either side.
bool ReadsBackAs(const std::string& path, std::string_view text) {
  std::string_view rest = text;
  return ReadBack(path,
                  [&rest](std::string_view piece) {
                    if (!rest.starts_with(piece)) return false;
                    rest.remove_prefix(piece.size());
                    return true;
                  }) &&
         rest.empty();
}

// Writes a new file beside the path with write_text, asks reads_back whether the disk
// gives its text back, and renames it over the path. The order makes the replacement durable: the
// text is synced before the rename, so the name never points at text still in memory, and the
// folder after it, so the rename itself is on the disk. Before the rename the new file is read
// back, so a disk that lost text without saying so never replaces a good file. A failure at any
// step removes the new file and leaves the old.
Status PlaceFile(const std::string& path, const std::function<void(TextSink& file)>& write_text,
                 const std::function<bool(const std::string& written)>& reads_back,
                 std::unique_ptr<DiskFile> file = nullptr) {
  Disk& disk = *CurrentPlatform().disk;
  if (IsFolder(path)) {
    if (file) {
      (void)file->Finish();
      disk.Remove(file->Path());
    }
    ShowFileError("create", path, "it is a folder");
    return kExitCannotCreate;
  }
  std::string error;
  if (!file) file = disk.CreateBeside(path, error);
  if (!file) {
    ShowFileError("create", path, error);
    return kExitCannotCreate;
  }
  const std::string temporary = file->Path();
  try {
    write_text(*file);
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
  if (!reads_back(temporary)) {
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

Status WriteFileAtomically(const std::string& path,
                           const std::function<void(TextSink& file)>& write_text,
                           std::unique_ptr<DiskFile> begun) {
  FileFingerprint written;
  return PlaceFile(
      path,
      [&](TextSink& file) {
        DigestingSink sink(file, written);
        write_text(sink);
      },
      [&written](const std::string& temporary) { return ReadsBackAsWritten(temporary, written); },
      std::move(begun));
}

Status WriteFileAtomically(const std::string& path, std::string_view text) {
  return PlaceFile(
      path, [text](TextSink& file) { file.Write(text); },
      [text](const std::string& temporary) { return ReadsBackAs(temporary, text); });
}

}  // namespace tavik
