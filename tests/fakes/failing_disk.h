// A disk that fails at the step a test names, and otherwise is the real one.
#pragma once

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
    std::unique_ptr<DiskFile> file = real_.CreateBeside(path, error);
    return file ? std::make_unique<File>(std::move(file), step_ == Step::kWrite ? reason_ : "",
                                         step_ == Step::kLoseText)
                : nullptr;
  }
  std::unique_ptr<ScratchFile> CreateScratch(const std::string& path, std::string& error) override {
    if (step_ == Step::kScratchCreate) error = reason_;
    if (step_ == Step::kScratchCreate) return nullptr;
    std::unique_ptr<ScratchFile> file = real_.CreateScratch(path, error);
    if (file && step_ == Step::kScratchWrite)
      return std::make_unique<Scratch>(std::move(file), reason_);
    return file;
  }
  std::string Rename(const std::string& from, const std::string& to) override {
    return step_ == Step::kRename ? reason_ : real_.Rename(from, to);
  }
  void SyncFolder(const std::string& folder) override {
    synced_folder = folder;
    real_.SyncFolder(folder);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

  std::string synced_folder;  // the last folder synced

 private:
  class File final : public DiskFile {
   public:
    File(std::unique_ptr<DiskFile> real, std::string failure, bool loses_text)
        : real_(std::move(real)), failure_(std::move(failure)), loses_text_(loses_text) {}
    void Write(std::string_view text) override {
      real_->Write(loses_text_ ? text.substr(0, text.size() - 1) : text);
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

  class Scratch final : public ScratchFile {
   public:
    Scratch(std::unique_ptr<ScratchFile> real, std::string failure)
        : real_(std::move(real)), failure_(std::move(failure)) {}
    void Write(std::string_view text) override { real_->Write(text); }
    std::string CopyTo(TextSink& out) override {
      (void)real_->CopyTo(out);
      return failure_;
    }

   private:
    std::unique_ptr<ScratchFile> real_;
    std::string failure_;
  };

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
