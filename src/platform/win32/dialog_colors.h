// The library's dialogs draw black text on light grey, whatever the system's colours.
#pragma once

#include <windows.h>

namespace tavik {

inline constexpr COLORREF kDialogBackground = RGB(0xC0, 0xC0, 0xC0);
inline constexpr COLORREF kDialogText = RGB(0, 0, 0);

// Answers the colour request of a dialog, or of its texts and buttons, with the grey brush,
// having set the device context's colours; 0 for any other message, which edit fields and
// lists send to keep their own colours.
INT_PTR AnswerDialogColors(UINT message, WPARAM device_context);

}  // namespace tavik
