// The usable screen size and the logical pixels per inch that layout and measurement use.
#pragma once

namespace tavik {

struct ScreenMetrics {
  int width_pixels = 1024;
  int height_pixels = 768;
  int pixels_per_inch_x = 96;
  int pixels_per_inch_y = 96;
};

class ScreenInfo {
 public:
  virtual ~ScreenInfo() = default;
  virtual ScreenMetrics Metrics() = 0;
};

}  // namespace tavik
