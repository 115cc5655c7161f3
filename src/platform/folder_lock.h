// A lock on a folder that one process at a time holds.
#pragma once

#include <string>

namespace tavik {

// Waits until no other process holds the folder's lock, and holds it for the life of the
// object; runs at once that change the same files take turns. Where the system has no such
// lock (Windows, whose profile functions take turns by themselves) it is held at once.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int descriptor_ = -1;
};

}  // namespace tavik
