// Message boxes on standard error.
#include "cli/cli_message_boxes.h"

#include <fmt/format.h>

#include <iostream>
#include <string>

#include "text/windows1252.h"

namespace tavik::cli {

namespace {
std::string_view WithoutTrailingBreaks(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}
}  // namespace

void CliMessageBoxes::ShowMessage(std::string_view caption, std::string_view text) {
  std::string raw(WithoutTrailingBreaks(text));
  if (!path_.empty()) {
    for (std::size_t at = raw.find(path_); at != std::string::npos;
         at = raw.find(path_, at + shown_path_.size())) {
      raw.replace(at, path_.size(), shown_path_);
    }
  }
  std::string body = text::Windows1252ToUtf8(raw);
  if (caption.empty()) {
    fmt::print(stream_, "{}\n", body);
  } else {
    fmt::print(stream_, "{}: {}\n", text::Windows1252ToUtf8(caption), body);
  }
  std::fflush(stream_);
}

bool CliMessageBoxes::AskYesNo(std::string_view caption, std::string_view text) {
  ShowMessage(caption, text);
  if (answer_ == EntityErrorAnswer::kContinue) return true;
  if (answer_ == EntityErrorAnswer::kStop) return false;
  if (!interactive_) {
    // Nobody can answer, and nobody chose: say what stopping means and how to go on.
    fmt::print(stream_,
               "tavikfw generate: no form was written; --on-entity-error continue generates it "
               "without the entity named above\n");
    return false;
  }
  for (;;) {
    fmt::print(stream_, "[y/n] ");
    std::fflush(stream_);
    std::string reply;
    if (!std::getline(std::cin, reply)) return false;
    if (reply == "y" || reply == "Y" || reply == "yes") return true;
    if (reply == "n" || reply == "N" || reply == "no") return false;
  }
}

}  // namespace tavik::cli
