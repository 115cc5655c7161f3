// The screen as Windows reports it.
#include "platform/win32/gdi_screen_info.h"

#include <windows.h>

namespace tavik {

ScreenMetrics GdiScreenInfo::Metrics() {
  ScreenMetrics metrics;
  const HWND window = ::GetActiveWindow();
  if (const HDC device = ::GetDC(window)) {
    metrics.pixels_per_inch_x = ::GetDeviceCaps(device, LOGPIXELSX);
    metrics.pixels_per_inch_y = ::GetDeviceCaps(device, LOGPIXELSY);
    ::ReleaseDC(window, device);
  }
  metrics.width_pixels = ::GetSystemMetrics(SM_CXFULLSCREEN);
  metrics.height_pixels = ::GetSystemMetrics(SM_CYFULLSCREEN);
  return metrics;
}

}  // namespace tavik
