// The disk of a POSIX system, temporary files, and the signals that must not leave a file
// half written.
#include "platform/native_disk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/file_output.h"

namespace tavik {

namespace {

// The path of the file being written, for the signal handlers. The text it points at is
// owned by that file's DiskFile (or, after Finish, by the path kept for the rename) and
// outlives the registration; writes happen one at a time.
std::atomic<const char*> g_unfinished_path{nullptr};

extern "C" void RemoveUnfinishedAndEnd(int signal_number) {
  if (const char* path = g_unfinished_path.load()) ::unlink(path);
  // The handler was installed to run once: the signal now ends the process as it would have.
  ::raise(signal_number);
}

// The registered path is copied, so it stays valid until the rename or the removal.
class UnfinishedPath {
 public:
  static void Set(const std::string& path) {
    g_unfinished_path.store(nullptr);  // never a pointer into text being replaced
    Text() = path;
    g_unfinished_path.store(Text().c_str());
  }
  static void ClearIf(const std::string& path) {
    if (g_unfinished_path.load() != nullptr && Text() == path) g_unfinished_path.store(nullptr);
  }

 private:
  static std::string& Text() {
    static std::string text;
    return text;
  }
};

std::string ErrorText(int error) {
  return std::strerror(error != 0 ? error : EIO);
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

// Its name goes as soon as it is made, so no way the process ends leaves it behind.
class NativeScratchFile final : public ScratchFile {
 public:
  explicit NativeScratchFile(int fd) : fd_(fd) {}
  ~NativeScratchFile() override { ::close(fd_); }
  NativeScratchFile(const NativeScratchFile&) = delete;
  NativeScratchFile& operator=(const NativeScratchFile&) = delete;

  void Write(std::string_view text) override {
    if (error_ == 0 && !WriteAll(fd_, text)) error_ = errno != 0 ? errno : EIO;
  }
  std::string CopyTo(TextSink& out) override {
    if (error_ == 0 && ::lseek(fd_, 0, SEEK_SET) != 0) error_ = errno;
    static constexpr std::size_t kPiece = std::size_t{1} << 18;
    std::vector<char> piece(error_ == 0 ? kPiece : 0);
    while (error_ == 0) {
      const ssize_t got = ::read(fd_, piece.data(), piece.size());
      if (got == 0) break;
      if (got > 0) {
        out.Write(std::string_view(piece.data(), static_cast<std::size_t>(got)));
      } else if (errno != EINTR) {
        error_ = errno;
      }
    }
    return error_ == 0 ? std::string() : ErrorText(error_);
  }
  // Moves every byte written so far to the end of the file open as out, in the system: the
  // bytes are not copied into the process and out again. False, and nothing moved, when the
  // scratch file failed (CopyTo tells why) or the system cannot move them between these
  // files; a failure after the first bytes is kept in error.
  bool MoveAllTo(int out, int& error) const {
#ifdef __linux__
    if (error_ != 0) return false;
    loff_t from = 0;
    while (true) {
      const ssize_t moved = ::copy_file_range(fd_, &from, out, nullptr, kMostAtOnce, 0);
      if (moved > 0) continue;
      if (moved == 0) return true;
      if (errno == EINTR) continue;
      if (from == 0 && CannotMoveBetween(errno)) return false;
      error = errno;
      return true;
    }
#else
    (void)out;
    (void)error;
    return false;
#endif
  }

 private:
  static constexpr std::size_t kMostAtOnce = std::size_t{1} << 30;
  // What the system answers when these two files cannot have bytes moved between them.
  static bool CannotMoveBetween(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == EBADF;
  }

  int fd_;
  int error_ = 0;
};

// Writes to an open file; the first failure stops the writing and keeps its error.
class NativeDiskFile final : public DiskFile {
 public:
  NativeDiskFile(int fd, std::string path, bool synced)
      : fd_(fd), path_(std::move(path)), synced_(synced) {}
  ~NativeDiskFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  NativeDiskFile(const NativeDiskFile&) = delete;
  NativeDiskFile& operator=(const NativeDiskFile&) = delete;

  void Write(std::string_view text) override {
    if (error_ == 0 && !WriteAll(fd_, text)) error_ = errno != 0 ? errno : EIO;
  }
  bool TakeWhole(ScratchFile& scratch, const TextDigest& /*fingerprint*/) override {
    const auto* native = dynamic_cast<const NativeScratchFile*>(&scratch);
    return error_ == 0 && native && native->MoveAllTo(fd_, error_);
  }
  const std::string& Path() const override { return path_; }
  std::string Finish() override {
    if (error_ == 0 && synced_ && ::fsync(fd_) != 0) error_ = errno;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    return error_ == 0 ? std::string() : ErrorText(error_);
  }

 private:
  int fd_;
  std::string path_;
  bool synced_;  // false: NativeDisk::SyncAll syncs it later
  int error_ = 0;
};

// mkstemp wants a writable pattern ending in XXXXXX; the name it made replaces it.
int MakeUnique(std::string& name) {
  std::vector<char> pattern(name.begin(), name.end());
  pattern.push_back('\0');
  const int fd = ::mkstemp(pattern.data());
  if (fd >= 0) name.assign(pattern.data());
  return fd;
}

}  // namespace

namespace {

// A new hidden file in the folder of path, its name in name; -1, and why in error, when none.
int MakeBeside(const std::string& path, std::string& name, std::string& error) {
  const std::filesystem::path target(path);
  name = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = MakeUnique(name);
  if (fd < 0) error = ErrorText(errno);
  return fd;
}

}  // namespace

std::unique_ptr<DiskFile> NativeDisk::CreateBeside(const std::string& path, std::string& error) {
  if (!own_folder_.empty() && std::filesystem::path(path).parent_path() == own_folder_) {
    // The umask gives the permissions, as to any file the user creates.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
      error = ErrorText(errno);
      return nullptr;
    }
    UnfinishedPath::Set(path);
    return std::make_unique<NativeDiskFile>(fd, path, syncing_ == Syncing::kEachFile);
  }
  std::string name;
  const int fd = MakeBeside(path, name, error);
  if (fd < 0) return nullptr;
  UnfinishedPath::Set(name);
  // Readable like any file the user creates; mkstemp made it private.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, static_cast<mode_t>(0666 & ~mask));
  return std::make_unique<NativeDiskFile>(fd, std::move(name), syncing_ == Syncing::kEachFile);
}

std::unique_ptr<ScratchFile> NativeDisk::CreateScratch(const std::string& path,
                                                       std::string& error) {
  std::string name;
  const int fd = MakeBeside(path, name, error);
  if (fd < 0) return nullptr;
  ::unlink(name.c_str());
  return std::make_unique<NativeScratchFile>(fd);
}

std::string NativeDisk::Rename(const std::string& from, const std::string& to) {
  if (from != to && ::rename(from.c_str(), to.c_str()) != 0) return ErrorText(errno);
  UnfinishedPath::ClearIf(from);
  return {};
}

void NativeDisk::SyncFolder(const std::string& folder) {
  if (syncing_ != Syncing::kEachFile) return;  // SyncAll syncs the names too
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems refuse to sync a folder; the rename has happened all the same
  ::close(fd);
}

std::string NativeDisk::SyncAll(const std::string& folder) {
#ifdef __linux__
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return ErrorText(errno);
  const int synced = ::syncfs(fd);
  const int error = errno;
  ::close(fd);
  return synced == 0 ? std::string() : ErrorText(error);
#else
  (void)folder;
  ::sync();
  return {};
#endif
}

void NativeDisk::Remove(const std::string& path) {
  UnfinishedPath::ClearIf(path);
  ::unlink(path.c_str());
}

void RemoveUnfinishedFileOnSignals() {
  struct sigaction action {};
  action.sa_handler = RemoveUnfinishedAndEnd;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGHUP, SIGTERM, SIGPIPE}) {
    ::sigaction(signal_number, &action, nullptr);
  }
}

std::optional<std::string> WriteTemporaryFile(std::string_view prefix, std::string_view text) {
  std::error_code error;
  auto folder = std::filesystem::temp_directory_path(error);
  if (error) return std::nullopt;
  std::string path = (folder / (std::string(prefix) + "XXXXXX")).string();
  const int fd = MakeUnique(path);
  if (fd < 0) return std::nullopt;
  const bool written = WriteAll(fd, text);
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
