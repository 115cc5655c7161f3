// The disk of the operating system the build is for.
#pragma once

#include <string>

#include "platform/disk.h"

namespace tavik {

// POSIX: files made with mkstemp with the permissions the umask gives, fsync before the
// rename and fsync of the folder after it; the file being written is known to the signal
// handlers. Windows: files made with GetTempFileName, flushed before a write-through move;
// a folder's names need no syncing of their own there.
class NativeDisk final : public Disk {
 public:
  std::unique_ptr<DiskFile> CreateBeside(const std::string& path, std::string& error) override;
  std::string Rename(const std::string& from, const std::string& to) override;
  void SyncFolder(const std::string& folder) override;
  void Remove(const std::string& path) override;
};

}  // namespace tavik
