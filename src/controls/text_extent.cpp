// Text measurement through the platform's measurer at the screen's pixels per inch.
#include "controls/text_extent.h"

#include "platform/platform.h"
#include "platform/screen_info.h"
#include "platform/text_measurer.h"

namespace tavik {

Status MeasureTextExtent(std::string_view text, std::string_view font_name, float font_size,
                         std::uint16_t& width, std::uint16_t& height) {
  Platform& platform = CurrentPlatform();
  width = 0;
  height = 0;
  if (!platform.text_measurer) return kOk;
  ScreenMetrics metrics = platform.screen ? platform.screen->Metrics() : ScreenMetrics{};
  TextExtent extent = platform.text_measurer->Measure(
      text, font_name, font_size, metrics.pixels_per_inch_x, metrics.pixels_per_inch_y);
  width = extent.width;
  height = extent.height;
  return kOk;
}

}  // namespace tavik
