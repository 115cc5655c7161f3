// Reading, writing and moving the items of a dialog window.
#include "platform/win32/dialog_items.h"

#include <vector>

namespace tavik {

std::string ItemText(HWND dialog, int id, std::size_t limit) {
  std::vector<char> buffer(limit + 1);
  const UINT length = ::GetDlgItemTextA(dialog, id, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), length);
}

void SetItemText(HWND dialog, int id, std::string_view text) {
  const std::string copy(text);
  ::SetDlgItemTextA(dialog, id, copy.c_str());
}

RECT ItemRect(HWND dialog, int id) {
  RECT rect{};
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveItem(HWND dialog, int id, int left, int top) {
  ::SetWindowPos(::GetDlgItem(dialog, id), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceOnScreen(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  ::SetWindowPos(window, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - height) / 3, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tavik
