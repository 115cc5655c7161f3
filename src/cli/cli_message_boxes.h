// Message boxes of the command line: standard error, questions answered by option or terminal.
#pragma once

#include <cstdio>
#include <string>

#include "cli/generate_options.h"
#include "platform/message_boxes.h"

namespace tavik::cli {

class CliMessageBoxes : public MessageBoxes {
 public:
  CliMessageBoxes(EntityErrorAnswer answer, bool interactive, std::FILE* stream = stderr)
      : answer_(answer), interactive_(interactive), stream_(stream) {}

  // "caption: text" on standard error, in UTF-8.
  void ShowMessage(std::string_view caption, std::string_view text) override;
  // Continue answers Yes, stop answers No, ask reads y or n from the terminal; away from a
  // terminal ask answers No and says how to go on.
  bool AskYesNo(std::string_view caption, std::string_view text) override;
  // Messages that name path name shown instead (a staged file by the place it goes to).
  void ShowPathAs(std::string path, std::string shown) {
    path_ = std::move(path);
    shown_path_ = std::move(shown);
  }

 private:
  EntityErrorAnswer answer_;
  bool interactive_;
  std::FILE* stream_;
  std::string path_;
  std::string shown_path_;
};

}  // namespace tavik::cli
