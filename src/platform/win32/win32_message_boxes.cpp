// Message boxes shown by Windows.
#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

#include <string>

namespace tavik {

namespace {
int Show(std::string_view caption, std::string_view text, UINT type) {
  const std::string caption_text(caption);
  const std::string body(text);
  return ::MessageBoxA(::GetActiveWindow(), body.c_str(),
                       caption_text.empty() ? nullptr : caption_text.c_str(), type);
}
}  // namespace

void Win32MessageBoxes::ShowMessage(std::string_view caption, std::string_view text) {
  Show(caption, text, MB_OK);
}

bool Win32MessageBoxes::AskYesNo(std::string_view caption, std::string_view text) {
  return Show(caption, text, MB_YESNO) == IDYES;
}

}  // namespace tavik
