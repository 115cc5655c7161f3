// Renders an SVG document to PNG with librsvg and cairo, and decodes the pictures in it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavik::preview {

struct PictureData;

class PngRenderer {
 public:
  // The PNG file's bytes for an SVG document of width by height pixels, or nothing with the
  // reason in error. The faces the text measurer reads from the Windows font folder are
  // made known to the renderer first, so texts are drawn in the faces they were measured in.
  static std::optional<std::string> Render(std::string_view svg, int width, int height,
                                           std::string& error);
  // A picture of a form (BMP, ICO, GIF, JPEG, WMF where a loader reads it) decoded; nothing
  // when it cannot be, or the module cannot be loaded.
  static std::shared_ptr<const PictureData> Decode(std::string_view bytes);
};

}  // namespace tavik::preview
