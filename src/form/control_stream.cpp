// Control blocks held in a scratch file until the form's opening is written.
#include "form/control_stream.h"

#include "platform/file_output.h"
#include "platform/platform.h"

namespace tavik {

std::unique_ptr<ControlStream> ControlStream::Open(const std::string& form_path) {
  std::string ignored;  // without a scratch file the form is written as a whole at the end
  std::unique_ptr<ScratchFile> scratch = CurrentPlatform().disk->CreateScratch(form_path, ignored);
  return scratch ? std::make_unique<ControlStream>(std::move(scratch)) : nullptr;
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
