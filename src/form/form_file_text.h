// The form file's text on its way to the file: gathered, and handed over in large pieces.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "platform/text_sink.h"

namespace tavik {

// The writers append to text(); after each control block or procedure the text goes to the
// file once it holds a piece's worth, so neither the control blocks nor the code is ever
// held whole and each write to the file is large.
class FormFileText {
 public:
  static constexpr std::size_t kPieceSize = std::size_t{1} << 16;

  explicit FormFileText(TextSink& file, std::string start = {})
      : file_(&file), text_(std::move(start)) {
    text_.reserve(kPieceSize * 2);
  }
  FormFileText(const FormFileText&) = delete;
  FormFileText& operator=(const FormFileText&) = delete;

  std::string& text() { return text_; }
  void HandOverWhenLarge() {
    if (text_.size() >= kPieceSize) HandOver();
  }
  void HandOver() {
    if (!text_.empty()) file_->Write(text_);
    text_.clear();
  }
  // From now on the text goes to file.
  void Redirect(TextSink& file) { file_ = &file; }

 private:
  TextSink* file_;
  std::string text_;
};

}  // namespace tavik
