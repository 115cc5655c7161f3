// The disk as output reaches it: the few steps a whole-or-nothing write is made of.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/text_sink.h"

namespace tavik {

// A new file being written beside the one it is to become; nothing is in place until the
// disk renames it there.
class DiskFile : public TextSink {
 public:
  // Where the file is being written.
  virtual const std::string& Path() const = 0;
  // Puts the text on the disk (synced, so that a rename never puts in place a file whose
  // text is still only in memory) and closes the file. Why the writing, syncing or closing
  // failed, as the system words it, or empty.
  virtual std::string Finish() = 0;
};

// A file no one else sees, for text that must wait for what goes before it: written, then
// handed on whole from its start. It is gone once closed, however the process ends.
class ScratchFile : public TextSink {
 public:
  // Hands every byte written so far, from the first, to out; why writing or reading it
  // failed, as the system words it, or empty.
  virtual std::string CopyTo(TextSink& out) = 0;
  // A scratch file made with room at its start (Disk::CreateScratchBeside) becomes the new
  // file itself when the text to go before its own is known and fills the room exactly: what
  // is written to that file goes into the room first, then after the scratch file's text,
  // which the file takes where it stands (TakeWhole). Nothing otherwise, and the scratch file
  // is then one like any other, its name gone.
  virtual std::unique_ptr<DiskFile> BecomeFile(std::uint64_t /*opening_size*/) { return nullptr; }
  // The file it became, or none.
  virtual const DiskFile* Became() const { return nullptr; }
};

// Every command's output goes through the disk in force (CurrentPlatform().disk), so tests
// can put in one that fails where they choose: a full disk, a rename refused.
class Disk {
 public:
  virtual ~Disk() = default;
  // A new, empty file in the folder of path, under a name no other file has (or path itself,
  // in a folder of the run's own: NativeDisk::SetOwnFolder); nothing, and why in error, when
  // it cannot be made. Until it is renamed or removed, a signal that ends the process
  // removes it first.
  virtual std::unique_ptr<DiskFile> CreateBeside(const std::string& path, std::string& error) = 0;
  // A scratch file in the folder of path, so its text is on the disk the output goes to;
  // nothing, and why in error, when it cannot be made.
  virtual std::unique_ptr<ScratchFile> CreateScratch(const std::string& path,
                                                     std::string& error) = 0;
  // A scratch file that may become the new file for path (ScratchFile::BecomeFile): made as
  // CreateBeside makes one, a signal removing it too, with its text beginning room bytes in.
  // Nothing, where the disk cannot leave room in a file: CreateScratch then gives one.
  virtual std::unique_ptr<ScratchFile> CreateScratchBeside(const std::string& /*path*/,
                                                           std::uint64_t /*room*/,
                                                           std::string& /*error*/) {
    return nullptr;
  }
  // Puts the file from in the place of to, replacing a file there in one step; why not,
  // or empty.
  virtual std::string Rename(const std::string& from, const std::string& to) = 0;
  // Makes the folder's names durable, so a rename in it survives a power cut.
  virtual void SyncFolder(const std::string& folder) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// From now on an interrupt, a hang-up, a termination or a broken pipe first removes the
// file being written, then ends the process as the signal would have.
void RemoveUnfinishedFileOnSignals();

}  // namespace tavik
