// The library's dialogs draw black text on light grey, whatever the system's colours.
#include "platform/win32/dialog_colors.h"

namespace tavik {

namespace {

// One brush serves every dialog for as long as the library is loaded.
class BackgroundBrush {
 public:
  BackgroundBrush() : brush_(::CreateSolidBrush(kDialogBackground)) {}
  ~BackgroundBrush() { ::DeleteObject(brush_); }
  BackgroundBrush(const BackgroundBrush&) = delete;
  BackgroundBrush& operator=(const BackgroundBrush&) = delete;
  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

}  // namespace

INT_PTR AnswerDialogColors(UINT message, WPARAM device_context) {
  if (message != WM_CTLCOLORDLG && message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN) {
    return 0;
  }
  static const BackgroundBrush brush;
  auto* context = reinterpret_cast<HDC>(device_context);
  ::SetTextColor(context, kDialogText);
  ::SetBkColor(context, kDialogBackground);
  return reinterpret_cast<INT_PTR>(brush.get());
}

}  // namespace tavik
