// Text measurement with FreeType and fontconfig, choosing and sizing fonts as Windows GDI does.
#pragma once

#include <memory>
#include <string_view>

#include "platform/text_measurer.h"

namespace tavik {

// Resolves the classic raster faces to the Windows raster font files shipped for Wine and
// the common TrueType faces to their metric-compatible Liberation files, by fixed paths, so
// that a form measures the same on every machine; any other name goes through fontconfig.
// Each face and size is opened once and its advances kept, so measuring is a table walk.
// Not safe for concurrent use.
class FreetypeTextMeasurer : public TextMeasurer {
 public:
  FreetypeTextMeasurer();
  ~FreetypeTextMeasurer() override;
  FreetypeTextMeasurer(const FreetypeTextMeasurer&) = delete;
  FreetypeTextMeasurer& operator=(const FreetypeTextMeasurer&) = delete;

  TextExtent Measure(std::string_view text, std::string_view font_name, float font_size,
                     int pixels_per_inch_x, int pixels_per_inch_y) override;

 private:
  class Fonts;
  std::unique_ptr<Fonts> fonts_;
};

}  // namespace tavik
