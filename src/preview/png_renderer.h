// Renders an SVG document to PNG with librsvg and cairo.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavik::preview {

class PngRenderer {
 public:
  // The PNG file's bytes for an SVG document of width by height pixels, or nothing with the
  // reason in error. The faces the text measurer reads from the Windows font folder are
  // made known to the renderer first, so texts are drawn in the faces they were measured in.
  static std::optional<std::string> Render(std::string_view svg, int width, int height,
                                           std::string& error);
};

}  // namespace tavik::preview
