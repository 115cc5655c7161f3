// Writes the picture of a form as an SVG document, its texts as real text.
#pragma once

#include <string>
#include <string_view>

#include "preview/scene.h"
#include "text/code_page.h"

namespace tavik::preview {

class SvgWriter {
 public:
  // The whole document, the same for the same scene. Each control is a group carrying its
  // name, class and box, clipped to the box; texts, in the form's code page in the scene, are
  // "text" elements in UTF-8.
  static std::string Write(const Scene& scene,
                           const text::CodePage& page = text::CodePage::Windows1252());
  // UTF-8 text for XML or HTML: markup characters escaped, control characters made blanks.
  static std::string Markup(std::string_view utf8);
  // The font families for a face, the face first and then the faces measured in its place,
  // so that a renderer without the face draws in one of the same widths.
  static std::string FontFamilies(std::string_view face, const text::CodePage& page);
};

}  // namespace tavik::preview
