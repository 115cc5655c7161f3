// Message boxes shown by Windows.
#pragma once

#include "platform/message_boxes.h"

namespace tavik {

// Each box is modal to the window that is active on the calling thread, if any (the open
// dialog, or the host's window).
class Win32MessageBoxes : public MessageBoxes {
 public:
  // An empty caption leaves the caption to Windows ("Error").
  void ShowMessage(std::string_view caption, std::string_view text) override;
  bool AskYesNo(std::string_view caption, std::string_view text) override;
};

}  // namespace tavik
