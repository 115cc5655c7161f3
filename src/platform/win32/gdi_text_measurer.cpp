// Text measured by the Windows GDI.
#include "platform/win32/gdi_text_measurer.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace tavik {

namespace {
constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerPoint = 20;
// Every measured text is widened and heightened by these factors before it is used.
constexpr double kWidthFactor = 1.275;
constexpr double kHeightFactor = 1.4;
// Truncated toward zero and kept in 16 bits, as the extent is stored.
std::uint16_t Scaled(LONG logical_units, double factor) {
  return static_cast<std::uint16_t>(
      static_cast<std::int64_t>(static_cast<double>(logical_units) * factor));
}
}  // namespace

TextExtent GdiTextMeasurer::Measure(std::string_view text, std::string_view font_name,
                                    float font_size, int pixels_per_inch_x, int pixels_per_inch_y) {
  const HWND window = ::GetActiveWindow();
  const HDC device = ::GetDC(window);
  if (!device) return {};
  const int old_mapping_mode = ::SetMapMode(device, MM_ANISOTROPIC);
  SIZE old_window_extent{};
  SIZE old_viewport_extent{};
  ::SetWindowExtEx(device, kTwipsPerInch, kTwipsPerInch, &old_window_extent);
  ::SetViewportExtEx(device, pixels_per_inch_x, pixels_per_inch_y, &old_viewport_extent);

  LOGFONTA description{};
  description.lfHeight = static_cast<LONG>(font_size) * kTwipsPerPoint;
  const std::size_t face_length = std::min(font_name.size(), sizeof description.lfFaceName - 1);
  std::memcpy(description.lfFaceName, font_name.data(), face_length);
  const HFONT font = ::CreateFontIndirectA(&description);

  TextExtent extent;
  const HGDIOBJ old_font = font ? ::SelectObject(device, font) : nullptr;
  if (old_font && old_font != HGDI_ERROR) {
    const std::string measured(text);
    SIZE size{};
    if (::GetTextExtentPoint32A(device, measured.c_str(), static_cast<int>(measured.size()),
                                &size)) {
      extent.width = Scaled(size.cx, kWidthFactor);
      extent.height = Scaled(size.cy, kHeightFactor);
    }
    ::SelectObject(device, old_font);
  }
  if (font) ::DeleteObject(font);
  ::SetViewportExtEx(device, old_viewport_extent.cx, old_viewport_extent.cy, nullptr);
  ::SetWindowExtEx(device, old_window_extent.cx, old_window_extent.cy, nullptr);
  ::SetMapMode(device, old_mapping_mode);
  ::ReleaseDC(window, device);
  return extent;
}

}  // namespace tavik
