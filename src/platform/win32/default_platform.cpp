// The services of the library on Windows: real dialogs, message boxes, GDI and
// "TAVIK.INI" in the Windows folder.
#include "platform/default_platform.h"

#include <windows.h>

#include <array>

#include "platform/ini_settings_file.h"
#include "platform/native_disk.h"
#include "platform/win32/common_save_file_picker.h"
#include "platform/win32/gdi_screen_info.h"
#include "platform/win32/gdi_text_measurer.h"
#include "platform/win32/win32_form_info_frontend.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_reverse_engineering_frontend.h"
#include "platform/window_text.h"

namespace tavik {

namespace {
// Live forms are recognised by the title of their window.
std::string NativeWindowText(TVK_HANDLE window) {
  std::array<char, 81> text{};
  const int length =
      ::GetWindowTextA(reinterpret_cast<HWND>(window), text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}
}  // namespace

Platform DefaultPlatform() {
  static Win32MessageBoxes message_boxes;
  static IniSettingsFile settings("TAVIK.INI");
  static GdiScreenInfo screen;
  static GdiTextMeasurer text_measurer;
  static NativeDisk disk;
  static CommonSaveFilePicker save_file_picker;
  static Win32FormInfoFrontend form_info_frontend;
  static Win32ReverseEngineeringFrontend reverse_engineering_frontend;
  SetWindowTextSource(NativeWindowText);
  Platform platform;
  platform.message_boxes = &message_boxes;
  platform.settings = &settings;
  platform.screen = &screen;
  platform.text_measurer = &text_measurer;
  platform.disk = &disk;
  platform.save_file_picker = &save_file_picker;
  platform.form_info_frontend = &form_info_frontend;
  platform.reverse_engineering_frontend = &reverse_engineering_frontend;
  return platform;
}

}  // namespace tavik
