// Control blocks held in a scratch file until the form's opening is written.
#include "form/control_stream.h"

#include "platform/file_output.h"
#include "platform/platform.h"

namespace tavik {

std::unique_ptr<ControlStream> ControlStream::Open(const std::string& form_path,
                                                   std::size_t foreseen_opening_size) {
  Disk& disk = *CurrentPlatform().disk;
  std::string ignored;  // without a scratch file the form is written as a whole at the end
  std::unique_ptr<ScratchFile> scratch =
      disk.CreateScratchBeside(form_path, foreseen_opening_size, ignored);
  if (!scratch) scratch = disk.CreateScratch(form_path, ignored);
  return scratch ? std::make_unique<ControlStream>(std::move(scratch)) : nullptr;
}

std::unique_ptr<DiskFile> ControlStream::FileFor(std::size_t opening_size) {
  out_.HandOver();
  return scratch_->BecomeFile(opening_size);
}

void ControlStream::Write(std::string_view text) {
  scratch_->Write(text);
  written_.Add(text);
}

void ControlStream::MoveTo(TextSink& file) {
  out_.HandOver();
  if (!file.TakeWhole(*scratch_, written_)) {
    if (std::string error = scratch_->CopyTo(file); !error.empty()) throw WriteFailure(error);
  }
  out_.Redirect(file);
}

}  // namespace tavik
