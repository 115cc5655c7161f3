// The disk of Windows, and temporary files.
#include "platform/native_disk.h"

#include <windows.h>

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

#include "platform/file_output.h"

namespace tavik {

namespace {

// Longest temporary folder that is used, and the buffer for a temporary file's name.
constexpr DWORD kTemporaryFolderLimit = 80;
constexpr std::size_t kTemporaryNameSize = 128;

std::string ErrorText(DWORD error) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string message = length ? std::string(text, length) : fmt::format("error {}", error);
  if (text) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

// Writes the text to an open file in chunks WriteFile accepts; the error, or 0.
DWORD WriteText(HANDLE file, std::string_view text) {
  while (!text.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, text.data(), chunk, &written, nullptr)) return ::GetLastError();
    text.remove_prefix(written);
  }
  return 0;
}

HANDLE OpenTruncated(const std::string& path) {
  return ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Writes to an open file; the first failure stops the writing and keeps its error.
class NativeDiskFile final : public DiskFile {
 public:
  NativeDiskFile(HANDLE file, std::string path) : file_(file), path_(std::move(path)) {}
  ~NativeDiskFile() override {
    if (file_ != INVALID_HANDLE_VALUE) ::CloseHandle(file_);
  }
  NativeDiskFile(const NativeDiskFile&) = delete;
  NativeDiskFile& operator=(const NativeDiskFile&) = delete;

  void Write(std::string_view text) override {
    if (error_ == 0) error_ = WriteText(file_, text);
  }
  const std::string& Path() const override { return path_; }
  std::string Finish() override {
    if (error_ == 0 && !::FlushFileBuffers(file_)) error_ = ::GetLastError();
    if (!::CloseHandle(file_) && error_ == 0) error_ = ::GetLastError();
    file_ = INVALID_HANDLE_VALUE;
    return error_ == 0 ? std::string() : ErrorText(error_);
  }

 private:
  HANDLE file_;
  std::string path_;
  DWORD error_ = 0;
};

// Windows deletes it when its one handle closes, however the process ends.
class NativeScratchFile final : public ScratchFile {
 public:
  explicit NativeScratchFile(HANDLE file) : file_(file) {}
  ~NativeScratchFile() override { ::CloseHandle(file_); }
  NativeScratchFile(const NativeScratchFile&) = delete;
  NativeScratchFile& operator=(const NativeScratchFile&) = delete;

  void Write(std::string_view text) override {
    if (error_ == 0) error_ = WriteText(file_, text);
  }
  std::string CopyTo(TextSink& out) override {
    if (error_ == 0 && ::SetFilePointer(file_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
      error_ = ::GetLastError();
    static constexpr DWORD kPiece = DWORD{1} << 18;
    std::vector<char> piece(error_ == 0 ? kPiece : 0);
    while (error_ == 0) {
      DWORD got = 0;
      if (!::ReadFile(file_, piece.data(), kPiece, &got, nullptr)) {
        error_ = ::GetLastError();
      } else if (got == 0) {
        break;
      } else {
        out.Write(std::string_view(piece.data(), got));
      }
    }
    return error_ == 0 ? std::string() : ErrorText(error_);
  }

 private:
  HANDLE file_;
  DWORD error_ = 0;
};

// A new file (tvkNNNN.tmp) in the folder of path, its name in name; false, and why in
// error, when none.
bool NameBeside(const std::string& path, std::array<char, MAX_PATH>& name, std::string& error) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  if (::GetTempFileNameA(folder.c_str(), "tvk", 0, name.data())) return true;
  error = ErrorText(::GetLastError());
  return false;
}

}  // namespace

std::unique_ptr<ScratchFile> NativeDisk::CreateScratch(const std::string& path,
                                                       std::string& error) {
  std::array<char, MAX_PATH> name{};
  if (!NameBeside(path, name, error)) return nullptr;
  const HANDLE file =
      ::CreateFileA(name.data(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = ErrorText(::GetLastError());
    ::DeleteFileA(name.data());
    return nullptr;
  }
  return std::make_unique<NativeScratchFile>(file);
}

// A scratch file here is deleted as it is closed and cannot become a named file: its text is
// copied to the new file.
std::unique_ptr<ScratchFile> NativeDisk::CreateScratchBeside(const std::string& /*path*/,
                                                             std::uint64_t /*room*/,
                                                             std::string& /*error*/) {
  return nullptr;
}

std::unique_ptr<DiskFile> NativeDisk::CreateBeside(const std::string& path, std::string& error) {
  std::array<char, MAX_PATH> name{};
  if (!NameBeside(path, name, error)) return nullptr;
  const HANDLE file = OpenTruncated(name.data());
  if (file == INVALID_HANDLE_VALUE) {
    error = ErrorText(::GetLastError());
    ::DeleteFileA(name.data());
    return nullptr;
  }
  return std::make_unique<NativeDiskFile>(file, std::string(name.data()));
}

std::string NativeDisk::Rename(const std::string& from, const std::string& to) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  return ErrorText(::GetLastError());
}

void NativeDisk::SyncFolder(const std::string& /*folder*/) {}

// Each file was flushed as it was written: Windows has no
// sync of a whole volume that an unprivileged process may ask for.
std::string NativeDisk::SyncAll(const std::string& /*folder*/) {
  return {};
}

void NativeDisk::Remove(const std::string& path) {
  ::DeleteFileA(path.c_str());
}

// A console's Ctrl+C ends the process without running anything of ours; the file then
// left beside the target has a name no form takes (tvkNNNN.tmp).
void RemoveUnfinishedFileOnSignals() {}

// The temporary folder of at most 80 characters, and a unique name in it that begins with
// the prefix (GetTempFileName keeps three of its characters).
std::optional<std::string> WriteTemporaryFile(std::string_view prefix, std::string_view text) {
  std::array<char, kTemporaryFolderLimit + 1> folder{};
  const DWORD length = ::GetTempPathA(static_cast<DWORD>(folder.size()), folder.data());
  if (length == 0 || length > kTemporaryFolderLimit) return std::nullopt;
  std::array<char, kTemporaryNameSize> name{};
  const std::string prefix_text(prefix);
  if (!::GetTempFileNameA(folder.data(), prefix_text.c_str(), 0, name.data())) {
    return std::nullopt;
  }
  const std::string path(name.data());
  const HANDLE file = OpenTruncated(path);
  const bool written = file != INVALID_HANDLE_VALUE && WriteText(file, text) == 0;
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (!written) {
    ::DeleteFileA(path.c_str());
    return std::nullopt;
  }
  return path;
}

void RemoveFile(const std::string& path) {
  ::DeleteFileA(path.c_str());
}

}  // namespace tavik
