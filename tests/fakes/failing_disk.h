// A disk that fails at the step a test names, and otherwise is the real one.
#pragma once

#include <memory>
#include <string>

#include "platform/disk.h"
#include "platform/platform.h"

namespace tavik::testing {

class FailingDisk final : public Disk {
 public:
  enum class Step { kNone, kCreate, kWrite, kFinish, kRename };

  // The step that fails, and the reason the system would give.
  FailingDisk(Step step, std::string reason)
      : real_(*CurrentPlatform().disk), step_(step), reason_(std::move(reason)) {}

  std::unique_ptr<DiskFile> CreateBeside(const std::string& path, std::string& error) override {
    if (step_ == Step::kCreate) {
      error = reason_;
      return nullptr;
    }
    std::unique_ptr<DiskFile> file = real_.CreateBeside(path, error);
    created = file ? file->Path() : "";
    return file ? std::make_unique<File>(std::move(file), *this) : nullptr;
  }
  std::string Rename(const std::string& from, const std::string& to) override {
    return step_ == Step::kRename ? reason_ : real_.Rename(from, to);
  }
  void SyncFolder(const std::string& folder) override {
    synced_folder = folder;
    real_.SyncFolder(folder);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

  std::string created;        // the path of the last file made
  std::string synced_folder;  // the last folder synced

 private:
  // The real file, whose writes fail once the step says so (the text so far is kept).
  class File final : public DiskFile {
   public:
    File(std::unique_ptr<DiskFile> real, const FailingDisk& disk)
        : real_(std::move(real)), disk_(disk) {}
    void Write(std::string_view text) override {
      if (disk_.step_ != Step::kWrite) real_->Write(text);
    }
    const std::string& Path() const override { return real_->Path(); }
    std::string Finish() override {
      std::string error = real_->Finish();
      if (disk_.step_ == Step::kWrite || disk_.step_ == Step::kFinish) return disk_.reason_;
      return error;
    }

   private:
    std::unique_ptr<DiskFile> real_;
    const FailingDisk& disk_;
  };

  Disk& real_;
  Step step_;
  std::string reason_;
};

// Puts a disk in force for the life of the object.
class ScopedDisk {
 public:
  explicit ScopedDisk(Disk& disk) : scope_(With(disk)) {}

 private:
  static Platform With(Disk& disk) {
    Platform platform = CurrentPlatform();
    platform.disk = &disk;
    return platform;
  }
  ScopedPlatform scope_;
};

}  // namespace tavik::testing
