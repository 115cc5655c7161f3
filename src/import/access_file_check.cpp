// What an Access file's first page and its lock file say before the file is opened.
#include "import/access_file_check.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

// The format byte of the first page is 0 for Jet 3 and for the versions before it; those
// name their version in a byte of their own further on, which is empty in a Jet 3 file.
constexpr std::size_t kFormatAt = 0x14;
constexpr std::size_t kEarlyVersionAt = 0x40A;

std::string_view EarlyVersionName(unsigned char code) {
  switch (code) {
    case 0x07:
      return "Jet 1.0 (Access 1.0)";
    case 0x08:
      return "Jet 1.1 (Access 1.1)";
    case 0x09:
      return "Jet 2.x (Access 2.0)";
    default:
      return {};
  }
}

std::string Reason(int error) {
  return error == 0 ? "the system gave no reason" : std::generic_category().message(error);
}

// An .mdb is locked through an .ldb beside it, an .accdb through an .laccdb.
std::filesystem::path LockFile(const std::string& path) {
  std::filesystem::path lock(path);
  const std::string extension = lock.extension().string();
  const bool ace = extension.size() == 6 && (extension[1] == 'a' || extension[1] == 'A');
  return lock.replace_extension(ace ? ".laccdb" : ".ldb");
}

}  // namespace

AccessFileCheck::Result AccessFileCheck::Check(const std::string& path) {
  Result result = CheckVersion(path);
  return result.status != BR_LOAD_OK ? result : CheckLock(path);
}

AccessFileCheck::Result AccessFileCheck::CheckVersion(const std::string& path) {
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return {BR_LOAD_UNREADABLE, "cannot read the file: " + Reason(errno)};
  std::array<unsigned char, kEarlyVersionAt + 1> page{};
  const std::size_t got = std::fread(page.data(), 1, page.size(), file.get());
  if (std::ferror(file.get()) != 0) {
    return {BR_LOAD_UNREADABLE, "cannot read the file: " + Reason(errno)};
  }
  if (got < page.size() || page[kFormatAt] != 0) return {};
  const std::string_view version = EarlyVersionName(page[kEarlyVersionAt]);
  if (version.empty()) return {};
  return {BR_LOAD_REFUSED,
          fmt::format("the Access file is in the {} format, which cannot be read; open it in "
                      "Access 97 or later and convert it, then import the copy",
                      version)};
}

// Access holds a lock on the lock file while the database is open; a lock file nobody
// holds is left from a program that ended without closing the database.
AccessFileCheck::Result AccessFileCheck::CheckLock(const std::string& path) {
  const std::filesystem::path lock_path = LockFile(path);
  const int lock = ::open(lock_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (lock < 0) {
    if (errno == ENOENT) return {};
    return {BR_LOAD_UNREADABLE,
            fmt::format("the lock file {} cannot be read ({}), so whether another program has "
                        "the database open cannot be told; try again when it is closed",
                        lock_path.string(), Reason(errno))};
  }
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  const bool asked = ::fcntl(lock, F_GETLK, &probe) == 0;
  ::close(lock);
  if (asked && probe.l_type == F_UNLCK) {
    return {BR_LOAD_OK, fmt::format("the lock file {} is left from a program that did not close "
                                    "the database; it is read as it is",
                                    lock_path.string())};
  }
  return {BR_LOAD_UNREADABLE,
          fmt::format("the database is open in another program (its lock file {} is held); try "
                      "again when it is closed",
                      lock_path.string())};
}

}  // namespace tavik::import
