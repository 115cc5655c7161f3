// Reading, writing and moving the items of a dialog window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tavik {

// The item's text, at most `limit` characters.
std::string ItemText(HWND dialog, int id, std::size_t limit = 65535);
void SetItemText(HWND dialog, int id, std::string_view text);
// The item's rectangle in the dialog's client coordinates.
RECT ItemRect(HWND dialog, int id);
// Moves the item's top left corner to a point of the client area; its size stays.
void MoveItem(HWND dialog, int id, int left, int top);
// Places the window at ((screen width - window width) / 2, (screen height - window
// height) / 3), whole screen, integer division.
void PlaceOnScreen(HWND window);

}  // namespace tavik
