// The control blocks of a form taller or wider than the screen, on their way to the file.
#pragma once

#include <cstddef>
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
// Where the disk allows, the scratch file is the form's own new file, with room left at its
// start for the opening as foreseen: when the opening fits the room, the blocks are written
// once, where they stay; otherwise they are moved to a new file after the opening.
class ControlStream final : private TextSink {
 public:
  // None when no scratch file can be had: the blocks then wait for the end, held as before.
  static std::unique_ptr<ControlStream> Open(const std::string& form_path,
                                             std::size_t foreseen_opening_size);

  explicit ControlStream(std::unique_ptr<ScratchFile> scratch)
      : scratch_(std::move(scratch)), out_(*this), printer_(out_.text()) {}
  ControlStream(const ControlStream&) = delete;
  ControlStream& operator=(const ControlStream&) = delete;

  formfile::BlockPrinter& printer() { return printer_; }
  FormFileText& out() { return out_; }
  // The form's new file, begun already, when the opening fits the room left for it; none,
  // and the form goes to a file of its own, otherwise.
  std::unique_ptr<DiskFile> FileFor(std::size_t opening_size);
  // The blocks printed so far go to the file, after what it holds (or stay where they are, in
  // the file FileFor gave); the rest follows them. Throws WriteFailure when the scratch file
  // failed.
  void MoveTo(TextSink& file);

 private:
  void Write(std::string_view text) override;

  std::unique_ptr<ScratchFile> scratch_;
  TextDigest written_;  // of what went to the scratch file
  FormFileText out_;
  formfile::BlockPrinter printer_;
};

}  // namespace tavik
