// Measures a text set in a font, in twips, the way the Windows GDI does.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavik {

struct TextExtent {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // text is Windows-1252. The cell height asked for is trunc(font_size) * 20 twips; the
  // measured width and height are scaled by 1.275 and 1.4 and truncated. A font that cannot
  // be had measures 0 by 0.
  virtual TextExtent Measure(std::string_view text, std::string_view font_name, float font_size,
                             int pixels_per_inch_x, int pixels_per_inch_y) = 0;
};

}  // namespace tavik
