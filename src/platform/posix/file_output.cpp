// Form files and temporary files on a POSIX system.
#include "platform/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fmt/format.h>

#include "platform/message_boxes.h"
#include "platform/platform.h"

namespace tavik {

namespace {

void ShowFileError(std::string_view what, const std::string& path, int error) {
  if (auto* boxes = CurrentPlatform().message_boxes) {
    boxes->ShowMessage("Tavik Form Wizard Error",
                       fmt::format("{} \"{}\": {}", what, path, std::strerror(error)));
  }
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// mkstemp wants a writable template ending in XXXXXX.
int MakeTemporary(std::string& path) {
  std::vector<char> name(path.begin(), path.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd >= 0) path.assign(name.data());
  return fd;
}

// Writes to an open file; the first failure stops the writing and keeps its error.
class DescriptorSink final : public TextSink {
 public:
  explicit DescriptorSink(int fd) : fd_(fd) {}
  void Write(std::string_view text) override {
    if (error_ == 0 && !WriteAll(fd_, text)) error_ = errno != 0 ? errno : EIO;
  }
  int error() const { return error_; }

 private:
  int fd_;
  int error_ = 0;
};

// Closes the temporary file and takes it away when writing its text throws.
void WriteOrDiscard(int fd, const std::string& temporary, DescriptorSink& sink,
                    const std::function<void(TextSink& file)>& write_text) {
  try {
    write_text(sink);
  } catch (...) {
    ::close(fd);
    ::unlink(temporary.c_str());
    throw;
  }
}

}  // namespace

Status WriteFileAtomically(const std::string& path,
                           const std::function<void(TextSink& file)>& write_text) {
  std::filesystem::path target(path);
  std::filesystem::path folder = target.parent_path();
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  int fd = MakeTemporary(temporary);
  if (fd < 0) {
    ShowFileError("Cannot create the form file", path, errno);
    return 73;
  }
  DescriptorSink sink(fd);
  WriteOrDiscard(fd, temporary, sink, write_text);
  bool written = sink.error() == 0;
  int error = sink.error();
  // Readable like any file the user creates; mkstemp made it private.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, static_cast<mode_t>(0666 & ~mask));
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    ShowFileError("Cannot write the form file", path, error);
    return 74;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    error = errno;
    ::unlink(temporary.c_str());
    ShowFileError("Cannot create the form file", path, error);
    return 73;
  }
  return kOk;
}

std::optional<std::string> WriteTemporaryFile(std::string_view prefix, std::string_view text) {
  std::error_code error;
  auto folder = std::filesystem::temp_directory_path(error);
  if (error) return std::nullopt;
  std::string path = (folder / (std::string(prefix) + "XXXXXX")).string();
  int fd = MakeTemporary(path);
  if (fd < 0) return std::nullopt;
  bool written = WriteAll(fd, text);
  ::close(fd);
  if (!written) {
    ::unlink(path.c_str());
    return std::nullopt;
  }
  return path;
}

void RemoveFile(const std::string& path) {
  ::unlink(path.c_str());
}

}  // namespace tavik
