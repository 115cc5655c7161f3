// Message boxes shown on standard error; questions get a fixed answer.
#pragma once

#include <cstdio>

#include "platform/message_boxes.h"

namespace tavik {

class StderrMessageBoxes : public MessageBoxes {
 public:
  explicit StderrMessageBoxes(bool answer = false, std::FILE* stream = stderr)
      : answer_(answer), stream_(stream) {}
  // "caption: text" as one block; a box without caption of its own shows the text alone.
  void ShowMessage(std::string_view caption, std::string_view text) override;
  bool AskYesNo(std::string_view caption, std::string_view text) override;
  void SetAnswer(bool answer) { answer_ = answer; }

 private:
  bool answer_;
  std::FILE* stream_;
};

}  // namespace tavik
