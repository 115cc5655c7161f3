// The disk of the operating system the build is for.
#pragma once

#include <string>
#include <utility>

#include "platform/disk.h"

namespace tavik {

// POSIX: files made with mkstemp with the permissions the umask gives, fsync before the
// rename and fsync of the folder after it; the file being written is known to the signal
// handlers. Windows: files made with GetTempFileName, flushed before a write-through move;
// a folder's names need no syncing of their own there.
class NativeDisk final : public Disk {
 public:
  // When the text of the files written reaches the disk.
  enum class Syncing {
    kEachFile,  // each file before its rename, and its folder after
    // All at once when SyncAll is called, before the files are moved to their final places
    // (a project's staged files): a thousand syncs one by one cost seconds, one sync of the
    // whole file system a fraction of that. Windows flushes each file all the same.
    kAllAtOnce,
  };

  explicit NativeDisk(Syncing syncing = Syncing::kEachFile) : syncing_(syncing) {}

  // A folder of the run's own, which no one else looks into and whose files are moved out
  // of it only when all are written (a project's staging folder): on POSIX a file in it is
  // written in its place, with no name of its own beside it to rename, and the rename of a
  // file to itself is nothing to do. Windows writes beside all the same.
  void SetOwnFolder(std::string folder) { own_folder_ = std::move(folder); }

  std::unique_ptr<DiskFile> CreateBeside(const std::string& path, std::string& error) override;
  std::unique_ptr<ScratchFile> CreateScratch(const std::string& path, std::string& error) override;
  std::unique_ptr<ScratchFile> CreateScratchBeside(const std::string& path, std::uint64_t room,
                                                   std::string& error) override;
  std::string Rename(const std::string& from, const std::string& to) override;
  void SyncFolder(const std::string& folder) override;
  void Remove(const std::string& path) override;

  // Puts on the disk every file written so far on the file system of the folder, and the
  // names in its folders. Why that failed, as the system words it, or empty.
  static std::string SyncAll(const std::string& folder);

 private:
  // The new file CreateBeside makes for path, its name in name; -1, and why in error, when
  // none can be made.
  int OpenBeside(const std::string& path, std::string& name, std::string& error) const;

  [[maybe_unused]] Syncing syncing_;  // Windows flushes each file whatever it says
  [[maybe_unused]] std::string own_folder_;
};

}  // namespace tavik
