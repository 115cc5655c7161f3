// The disk of Windows.
#pragma once

#include <string>

#include "platform/disk.h"

namespace tavik {

// Files made with GetTempFileName beside their target, flushed before MoveFileEx puts them in
// place (write-through). A folder's names need no syncing of their own there.
class Win32Disk final : public Disk {
 public:
  std::unique_ptr<DiskFile> CreateBeside(const std::string& path, std::string& error) override;
  std::string Rename(const std::string& from, const std::string& to) override;
  void SyncFolder(const std::string& folder) override;
  void Remove(const std::string& path) override;
};

}  // namespace tavik
