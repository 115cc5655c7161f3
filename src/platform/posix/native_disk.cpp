// The disk of a POSIX system, temporary files, and the signals that must not leave a file
// half written.
#include "platform/native_disk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "platform/file_output.h"

namespace tavik {

namespace {

// The paths of the files being written, for the signal handlers: a form's own file is begun
// while its entities are generated, and another file may be written meanwhile. The text each
// points at is the slot's own copy, kept until the rename or the removal.
constexpr std::size_t kUnfinishedSlots = 2;
std::array<std::atomic<const char*>, kUnfinishedSlots> g_unfinished_paths{};

extern "C" void RemoveUnfinishedAndEnd(int signal_number) {
  for (const auto& slot : g_unfinished_paths) {
    if (const char* path = slot.load()) ::unlink(path);
  }
  // The handler was installed to run once: the signal now ends the process as it would have.
  ::raise(signal_number);
}

class UnfinishedPath {
 public:
  // A free slot takes the path; with none free, the last slot's file gives up its own.
  static void Set(const std::string& path) {
    std::size_t slot = 0;
    while (slot + 1 < kUnfinishedSlots && g_unfinished_paths[slot].load() != nullptr) ++slot;
    g_unfinished_paths[slot].store(nullptr);  // never a pointer into text being replaced
    Texts()[slot] = path;
    g_unfinished_paths[slot].store(Texts()[slot].c_str());
  }
  static void ClearIf(const std::string& path) {
    for (std::size_t slot = 0; slot < kUnfinishedSlots; ++slot) {
      if (g_unfinished_paths[slot].load() != nullptr && Texts()[slot] == path) {
        g_unfinished_paths[slot].store(nullptr);
      }
    }
  }

 private:
  static std::array<std::string, kUnfinishedSlots>& Texts() {
    static std::array<std::string, kUnfinishedSlots> texts;
    return texts;
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

// The same at a place in the file, leaving the file's own position where it was.
bool WriteAllAt(int fd, std::string_view text, off_t at) {
  while (!text.empty()) {
    ssize_t written = ::pwrite(fd, text.data(), text.size(), at);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
    at += written;
  }
  return true;
}

// The disk's blocks for a large file being written are taken ahead of its text, some
// megabytes at a time: the file system then finds each page's block given already, instead of
// reserving one as each page is written. A small file, as most are, is written as ever, with
// no calls of its own. What was taken past the end is given back when the file is done.
class BlocksAhead {
 public:
  explicit BlocksAhead(off_t end = 0) : end_(end), taken_(end) {}

  void Before(int fd, std::size_t size) {
    const off_t start = end_;
    end_ += static_cast<off_t>(size);
#ifdef __linux__
    if (end_ <= taken_ || end_ < kLarge) return;
    const off_t from = std::max(start, taken_);
    const off_t more = std::max(kStep, end_ - from);
    // A file system that cannot take blocks ahead has them reserved page by page, as ever.
    taken_ = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, from, more) == 0 ? from + more : kNever;
#else
    (void)fd;
    (void)start;
#endif
  }
  // False, with errno, when the system refused to give the blocks back.
  bool GiveBackUnused(int fd) const {
    return taken_ <= end_ || taken_ == kNever || ::ftruncate(fd, end_) == 0;
  }

 private:
  static constexpr off_t kLarge = off_t{1} << 20;
  static constexpr off_t kStep = off_t{4} << 20;
  static constexpr off_t kNever = std::numeric_limits<off_t>::max();

  off_t end_;
  off_t taken_;
};

// Writes to an open file; the first failure stops the writing and keeps its error. A file
// that was a scratch file with room at its start fills the room first, then goes on after the
// scratch file's text.
class NativeDiskFile final : public DiskFile {
 public:
  NativeDiskFile(int fd, std::string path, bool synced, off_t room = 0,
                 BlocksAhead blocks = BlocksAhead())
      : fd_(fd), path_(std::move(path)), synced_(synced), room_left_(room), blocks_(blocks) {}
  ~NativeDiskFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  NativeDiskFile(const NativeDiskFile&) = delete;
  NativeDiskFile& operator=(const NativeDiskFile&) = delete;

  void Write(std::string_view text) override {
    if (room_left_ > 0) text = FillRoom(text);
    blocks_.Before(fd_, text.size());
    if (error_ == 0 && !WriteAll(fd_, text)) error_ = errno != 0 ? errno : EIO;
  }
  bool TakeWhole(ScratchFile& scratch, const TextDigest& fingerprint) override;
  const std::string& Path() const override { return path_; }
  std::string Finish() override {
    if (error_ == 0 && !blocks_.GiveBackUnused(fd_)) error_ = errno;
    if (error_ == 0 && synced_ && ::fsync(fd_) != 0) error_ = errno;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    return error_ == 0 ? std::string() : ErrorText(error_);
  }

 private:
  // What of text does not fit the room.
  std::string_view FillRoom(std::string_view text) {
    const std::size_t taken = std::min(text.size(), static_cast<std::size_t>(room_left_));
    if (error_ == 0 && !WriteAllAt(fd_, text.substr(0, taken), room_filled_)) {
      error_ = errno != 0 ? errno : EIO;
    }
    room_filled_ += static_cast<off_t>(taken);
    room_left_ -= static_cast<off_t>(taken);
    return text.substr(taken);
  }

  int fd_;
  std::string path_;
  bool synced_;  // false: NativeDisk::SyncAll syncs it later
  off_t room_left_;
  off_t room_filled_ = 0;
  BlocksAhead blocks_;
  int error_ = 0;
};

// A scratch file no one else sees has its name go as soon as it is made, so no way the
// process ends leaves it behind. One with room at its start keeps its name, known to the
// signal handlers, until it becomes the new file or is let go as a scratch file.
class NativeScratchFile final : public ScratchFile {
 public:
  explicit NativeScratchFile(int fd) : fd_(fd) {}
  NativeScratchFile(int fd, std::string name, off_t room, bool synced)
      : fd_(fd), start_(room), name_(std::move(name)), synced_(synced), blocks_(room) {}
  ~NativeScratchFile() override {
    if (fd_ >= 0) ::close(fd_);
    ForgetName();
  }
  NativeScratchFile(const NativeScratchFile&) = delete;
  NativeScratchFile& operator=(const NativeScratchFile&) = delete;

  void Write(std::string_view text) override {
    if (!name_.empty()) blocks_.Before(fd_, text.size());
    if (error_ == 0 && !WriteAll(fd_, text)) error_ = errno != 0 ? errno : EIO;
  }
  std::string CopyTo(TextSink& out) override {
    if (error_ == 0 && fd_ < 0) error_ = EBADF;
    if (error_ == 0 && ::lseek(fd_, start_, SEEK_SET) != start_) error_ = errno;
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
  // The file keeps the descriptor and the name; a scratch file that failed, or whose room the
  // opening does not fit, stays a scratch file and tells why as CopyTo.
  std::unique_ptr<DiskFile> BecomeFile(std::uint64_t opening_size) override {
    if (error_ != 0 || fd_ < 0 || name_.empty() ||
        opening_size != static_cast<std::uint64_t>(start_)) {
      ForgetName();
      return nullptr;
    }
    auto file = std::make_unique<NativeDiskFile>(fd_, std::move(name_), synced_, start_, blocks_);
    fd_ = -1;
    name_.clear();
    became_ = file.get();
    return file;
  }
  const DiskFile* Became() const override { return became_; }
  // Moves every byte written so far to the end of the file open as out, in the system: the
  // bytes are not copied into the process and out again. False, and nothing moved, when the
  // scratch file failed (CopyTo tells why) or the system cannot move them between these
  // files; a failure after the first bytes is kept in error.
  bool MoveAllTo(int out, int& error) const {
#ifdef __linux__
    if (error_ != 0 || fd_ < 0) return false;
    loff_t from = start_;
    while (true) {
      const ssize_t moved = ::copy_file_range(fd_, &from, out, nullptr, kMostAtOnce, 0);
      if (moved > 0) continue;
      if (moved == 0) return true;
      if (errno == EINTR) continue;
      if (from == start_ && CannotMoveBetween(errno)) return false;
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
  // The name goes; the text stays open in the descriptor.
  void ForgetName() {
    if (name_.empty()) return;
    UnfinishedPath::ClearIf(name_);
    ::unlink(name_.c_str());
    name_.clear();
  }

  int fd_;
  off_t start_ = 0;   // where its own text begins
  std::string name_;  // none once it is gone
  bool synced_ = true;
  BlocksAhead blocks_;  // for the file it may become
  const DiskFile* became_ = nullptr;
  int error_ = 0;
};

// A scratch file this file became holds its text in place already; another has it moved here.
bool NativeDiskFile::TakeWhole(ScratchFile& scratch, const TextDigest& /*fingerprint*/) {
  // A room the text before did not fill exactly leaves the file other than written: the
  // read-back refuses it.
  if (scratch.Became() == this) return true;
  const auto* native = dynamic_cast<const NativeScratchFile*>(&scratch);
  return error_ == 0 && native && native->MoveAllTo(fd_, error_);
}

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

// The file CreateBeside makes, its name in name: path itself in the run's own folder.
int NativeDisk::OpenBeside(const std::string& path, std::string& name, std::string& error) const {
  if (!own_folder_.empty() && std::filesystem::path(path).parent_path() == own_folder_) {
    // The umask gives the permissions, as to any file the user creates.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
      error = ErrorText(errno);
      return -1;
    }
    name = path;
    UnfinishedPath::Set(name);
    return fd;
  }
  const int fd = MakeBeside(path, name, error);
  if (fd < 0) return -1;
  UnfinishedPath::Set(name);
  // Readable like any file the user creates; mkstemp made it private.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, static_cast<mode_t>(0666 & ~mask));
  return fd;
}

std::unique_ptr<DiskFile> NativeDisk::CreateBeside(const std::string& path, std::string& error) {
  std::string name;
  const int fd = OpenBeside(path, name, error);
  if (fd < 0) return nullptr;
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

// The room is a hole the file's opening fills at the end: the scratch file's own text is
// written once, where it stays.
std::unique_ptr<ScratchFile> NativeDisk::CreateScratchBeside(const std::string& path,
                                                             std::uint64_t room,
                                                             std::string& error) {
  std::string name;
  const int fd = OpenBeside(path, name, error);
  if (fd < 0) return nullptr;
  const auto start = static_cast<off_t>(room);
  if (::lseek(fd, start, SEEK_SET) != start) {
    error = ErrorText(errno);
    UnfinishedPath::ClearIf(name);
    ::unlink(name.c_str());
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<NativeScratchFile>(fd, std::move(name), start,
                                             syncing_ == Syncing::kEachFile);
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
