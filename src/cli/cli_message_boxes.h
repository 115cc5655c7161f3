// Message boxes of the command line: standard error, questions answered by option or terminal.
#pragma once

#include <cstdio>

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

 private:
  EntityErrorAnswer answer_;
  bool interactive_;
  std::FILE* stream_;
};

}  // namespace tavik::cli
