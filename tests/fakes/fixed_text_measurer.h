// A text-measurer fake: a fixed extent whatever the font, with the last request kept.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_measurer.h"

namespace tavik::testing {

class FixedTextMeasurer : public TextMeasurer {
 public:
  TextExtent Measure(std::string_view text, std::string_view font_name, float font_size,
                     int /*pixels_per_inch_x*/, int /*pixels_per_inch_y*/) override {
    last_text = text;
    last_font = font_name;
    last_size = font_size;
    return extent;
  }

  TextExtent extent;
  std::string last_text;
  std::string last_font;
  float last_size = 0.0f;
};

}  // namespace tavik::testing
