// The disk of a POSIX system.
#pragma once

#include <string>

#include "platform/disk.h"

namespace tavik {

// Files made with mkstemp and the permissions the umask gives, fsync before the rename and
// fsync of the folder after it. The file being written is known to the signal handlers.
class PosixDisk final : public Disk {
 public:
  std::unique_ptr<DiskFile> CreateBeside(const std::string& path, std::string& error) override;
  std::string Rename(const std::string& from, const std::string& to) override;
  void SyncFolder(const std::string& folder) override;
  void Remove(const std::string& path) override;
};

}  // namespace tavik
