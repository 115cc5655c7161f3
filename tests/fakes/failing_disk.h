// A disk that fails at the step a test names, and otherwise is the real one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/disk.h"
#include "platform/platform.h"

namespace tavik::testing {

class FailingDisk final : public Disk {
 public:
  // kWrite: the text is written, then the system reports the failure (a full disk shows
  // when the data is synced, or at the write). kLoseText: the last byte of each write goes
  // missing and nothing is reported, as on a failing medium.
  // kScratchCreate and kScratchWrite fail only the scratch files, at their making and as
  // their text is handed on.
  enum class Step { kNone, kCreate, kWrite, kLoseText, kRename, kScratchCreate, kScratchWrite };

  // Puts itself in force for its life; the step that fails, and the reason the system gives.
  FailingDisk(Step step, std::string reason)
      : real_(*CurrentPlatform().disk),
        step_(step),
        reason_(std::move(reason)),
        scope_(With(this)) {}

  std::unique_ptr<DiskFile> CreateBeside(const std::string& path, std::string& error) override {
    if (step_ == Step::kCreate) error = reason_;
    if (step_ == Step::kCreate) return nullptr;
    return Failing(real_.CreateBeside(path, error));
  }
  std::unique_ptr<ScratchFile> CreateScratch(const std::string& path, std::string& error) override {
    if (step_ == Step::kScratchCreate) error = reason_;
    if (step_ == Step::kScratchCreate) return nullptr;
    std::unique_ptr<ScratchFile> file = real_.CreateScratch(path, error);
    return step_ == Step::kScratchWrite ? Failing(std::move(file)) : std::move(file);
  }
  // A scratch file that becomes the new file fails as that file would.
  std::unique_ptr<ScratchFile> CreateScratchBeside(const std::string& path, std::uint64_t room,
                                                   std::string& error) override {
    if (step_ == Step::kScratchCreate) error = reason_;
    if (step_ == Step::kScratchCreate || !leaves_room) return nullptr;
    std::unique_ptr<ScratchFile> file =
        real_.CreateScratchBeside(path, room + room_missed_by, error);
    // One the opening will miss is the disk's own, whose text the system moves, as in a run.
    if (room_missed_by != 0 && step_ != Step::kScratchWrite) return file;
    return Failing(std::move(file));
  }
  std::string Rename(const std::string& from, const std::string& to) override {
    return step_ == Step::kRename ? reason_ : real_.Rename(from, to);
  }
  void SyncFolder(const std::string& folder) override {
    synced_folder = folder;
    real_.SyncFolder(folder);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

  std::string synced_folder;         // the last folder synced
  bool leaves_room = true;           // false: a disk whose scratch files cannot become new files
  std::uint64_t room_missed_by = 0;  // added to the room asked for, which the text then misses
  int files_became = 0;              // scratch files that became new files

 private:
  class File final : public DiskFile {
   public:
    File(std::unique_ptr<DiskFile> real, std::string failure, bool loses_text)
        : real_(std::move(real)), failure_(std::move(failure)), loses_text_(loses_text) {}
    void Write(std::string_view text) override {
      real_->Write(loses_text_ ? text.substr(0, text.size() - 1) : text);
    }
    bool TakeWhole(ScratchFile& scratch, const TextDigest& fingerprint) override {
      return real_->TakeWhole(scratch, fingerprint);
    }
    const std::string& Path() const override { return real_->Path(); }
    std::string Finish() override {
      const std::string error = real_->Finish();
      return failure_.empty() ? error : failure_;
    }

   private:
    std::unique_ptr<DiskFile> real_;
    std::string failure_;
    bool loses_text_;
  };

  // A failed scratch file is handed on, then reports the failure; it never becomes a file.
  class Scratch final : public ScratchFile {
   public:
    Scratch(std::unique_ptr<ScratchFile> real, std::string failure, FailingDisk& disk)
        : real_(std::move(real)), failure_(std::move(failure)), disk_(disk) {}
    void Write(std::string_view text) override { real_->Write(text); }
    std::string CopyTo(TextSink& out) override {
      std::string error = real_->CopyTo(out);
      return failure_.empty() ? error : failure_;
    }
    std::unique_ptr<DiskFile> BecomeFile(std::uint64_t opening_size) override {
      if (!failure_.empty()) opening_size = ~opening_size;  // fits no room: the name goes
      std::unique_ptr<DiskFile> file = disk_.Failing(real_->BecomeFile(opening_size));
      if (file) ++disk_.files_became;
      return file;
    }
    const DiskFile* Became() const override { return real_->Became(); }

   private:
    std::unique_ptr<ScratchFile> real_;
    std::string failure_;
    FailingDisk& disk_;
  };

  std::unique_ptr<DiskFile> Failing(std::unique_ptr<DiskFile> file) {
    if (!file) return nullptr;
    return std::make_unique<File>(std::move(file), step_ == Step::kWrite ? reason_ : "",
                                  step_ == Step::kLoseText);
  }
  std::unique_ptr<ScratchFile> Failing(std::unique_ptr<ScratchFile> file) {
    if (!file) return nullptr;
    return std::make_unique<Scratch>(std::move(file), step_ == Step::kScratchWrite ? reason_ : "",
                                     *this);
  }

  static Platform With(Disk* disk) {
    Platform platform = CurrentPlatform();
    platform.disk = disk;
    return platform;
  }

  Disk& real_;
  Step step_;
  std::string reason_;
  ScopedPlatform scope_;
};

}  // namespace tavik::testing
