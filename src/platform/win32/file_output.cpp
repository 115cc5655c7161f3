// Form files and temporary files on Windows.
#include "platform/file_output.h"

#include <windows.h>

#include <fmt/format.h>

#include <array>
#include <filesystem>

#include "platform/message_boxes.h"
#include "platform/platform.h"

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

void ShowFileError(std::string_view what, const std::string& path, DWORD error) {
  if (auto* boxes = CurrentPlatform().message_boxes) {
    boxes->ShowMessage("Tavik Form Wizard Error",
                       fmt::format("{} \"{}\": {}", what, path, ErrorText(error)));
  }
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

// Writes to an open file; the first failure stops the writing and keeps its error.
class HandleSink final : public TextSink {
 public:
  explicit HandleSink(HANDLE file) : file_(file) {}
  void Write(std::string_view text) override {
    if (error_ == 0) error_ = WriteText(file_, text);
  }
  DWORD error() const { return error_; }

 private:
  HANDLE file_;
  DWORD error_ = 0;
};

// The text write_text makes, into a file that exists already; the error, or 0. The handle
// is closed also when write_text throws.
DWORD WriteWhole(const std::string& path, const std::function<void(TextSink& file)>& write_text) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError();
  HandleSink sink(file);
  try {
    write_text(sink);
  } catch (...) {
    ::CloseHandle(file);
    throw;
  }
  DWORD error = sink.error();
  if (!::CloseHandle(file) && error == 0) error = ::GetLastError();
  return error;
}

// A new, empty file with a unique name in the folder; its path, or nothing.
std::optional<std::string> CreateUniqueFile(const std::string& folder, const std::string& prefix,
                                            DWORD& error) {
  std::array<char, MAX_PATH> name{};
  if (!::GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, name.data())) {
    error = ::GetLastError();
    return std::nullopt;
  }
  return std::string(name.data());
}

}  // namespace

Status WriteFileAtomically(const std::string& path,
                           const std::function<void(TextSink& file)>& write_text) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  DWORD error = 0;
  const std::optional<std::string> temporary = CreateUniqueFile(folder, "tvk", error);
  if (!temporary) {
    ShowFileError("Cannot create the form file", path, error);
    return 73;
  }
  DWORD written_error = 0;
  try {
    written_error = WriteWhole(*temporary, write_text);
  } catch (...) {
    ::DeleteFileA(temporary->c_str());
    throw;
  }
  if ((error = written_error) != 0) {
    ::DeleteFileA(temporary->c_str());
    ShowFileError("Cannot write the form file", path, error);
    return 74;
  }
  if (!::MoveFileExA(temporary->c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = ::GetLastError();
    ::DeleteFileA(temporary->c_str());
    ShowFileError("Cannot create the form file", path, error);
    return 73;
  }
  return kOk;
}

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
  if (WriteWhole(path, [text](TextSink& file) { file.Write(text); }) != 0) {
    ::DeleteFileA(path.c_str());
    return std::nullopt;
  }
  return path;
}

void RemoveFile(const std::string& path) {
  ::DeleteFileA(path.c_str());
}

}  // namespace tavik
