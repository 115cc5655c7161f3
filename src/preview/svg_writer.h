// Writes the picture of a form as an SVG document, its texts as real text.
#pragma once

#include <string>
#include <string_view>

#include "preview/scene.h"

namespace tavik::preview {

class SvgWriter {
 public:
  // The whole document, the same for the same scene. Each control is a group carrying its
  // name, class and box, clipped to the box; texts are "text" elements in UTF-8.
  static std::string Write(const Scene& scene);
  // The font families for a face, the face first and then the faces measured in its place,
  // so that a renderer without the face draws in one of the same widths.
  static std::string FontFamilies(std::string_view face);
};

}  // namespace tavik::preview
