// The control blocks of a form taller or wider than the screen, on their way to the file.
#pragma once

#include <memory>
#include <string>

#include "form/form_file_text.h"
#include "formfile/block_printer.h"
#include "platform/disk.h"
#include "platform/text_digest.h"
#include "platform/text_sink.h"

namespace tavik {

// The form's opening and the scrolled panel's size follow from where the last entity is
// placed, yet come first in the file: the blocks printed as each entity is placed wait in a
// scratch file beside the form, so neither their text nor their properties are held. They are
// fingerprinted on their way there, so that the system can move them on to the form itself.
class ControlStream final : private TextSink {
 public:
  // None when no scratch file can be had: the blocks then wait for the end, held as before.
  static std::unique_ptr<ControlStream> Open(const std::string& form_path);

  explicit ControlStream(std::unique_ptr<ScratchFile> scratch)
      : scratch_(std::move(scratch)), out_(*this), printer_(out_.text()) {}
  ControlStream(const ControlStream&) = delete;
  ControlStream& operator=(const ControlStream&) = delete;

  formfile::BlockPrinter& printer() { return printer_; }
  FormFileText& out() { return out_; }
  // The blocks printed so far go to the file, after what it holds; the rest follows them.
  // Throws WriteFailure when the scratch file failed.
  void MoveTo(TextSink& file);

 private:
  void Write(std::string_view text) override;

  std::unique_ptr<ScratchFile> scratch_;
  TextDigest written_;  // of what went to the scratch file
  FormFileText out_;
  formfile::BlockPrinter printer_;
};

}  // namespace tavik
