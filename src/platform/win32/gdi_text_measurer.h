// Text measured by the Windows GDI.
#pragma once

#include "platform/text_measurer.h"

namespace tavik {

// Measures in a device context of the active window mapped so that one logical unit is one
// twip at the given pixels per inch (the default platform passes the device's own), with a
// font created, selected, and deleted again for each text.
class GdiTextMeasurer : public TextMeasurer {
 public:
  TextExtent Measure(std::string_view text, std::string_view font_name, float font_size,
                     int pixels_per_inch_x, int pixels_per_inch_y) override;
};

}  // namespace tavik
