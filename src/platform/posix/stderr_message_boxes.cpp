// Message boxes on standard error.
#include "platform/posix/stderr_message_boxes.h"

#include <fmt/format.h>

namespace tavik {

namespace {
std::string_view WithoutTrailingBreaks(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}
}  // namespace

void StderrMessageBoxes::ShowMessage(std::string_view caption, std::string_view text) {
  if (caption.empty()) {
    fmt::print(stream_, "{}\n", WithoutTrailingBreaks(text));
  } else {
    fmt::print(stream_, "{}: {}\n", caption, WithoutTrailingBreaks(text));
  }
  std::fflush(stream_);
}

bool StderrMessageBoxes::AskYesNo(std::string_view caption, std::string_view text) {
  ShowMessage(caption, text);
  fmt::print(stream_, "{}\n", answer_ ? "Yes" : "No");
  return answer_;
}

}  // namespace tavik
