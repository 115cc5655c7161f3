// The message boxes through which the system tells the user things and asks yes or no.
#pragma once

#include <string_view>

namespace tavik {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A plain box with an OK button; an empty caption is the platform's default caption.
  virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
  // A box with Yes and No; true for Yes.
  virtual bool AskYesNo(std::string_view caption, std::string_view text) = 0;
};

}  // namespace tavik
