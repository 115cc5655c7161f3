// Fonts of forms and controls, and the pixel sizes of their texts from the text measurer.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formfile/form_property.h"
#include "platform/text_measurer.h"
#include "preview/scene.h"

namespace tavik::preview {

struct Font {
  std::string face = "MS Sans Serif";
  float size = 8.25f;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

class TextMetrics {
 public:
  // measurer may be none; texts are then sized from the font size alone.
  explicit TextMetrics(TextMeasurer* measurer) : measurer_(measurer) {}

  // The font a control's properties set, each part not set taken from inherited: the
  // separate properties of older files ("FontName", "FontBold") or the members of a "Font"
  // property group ("Font.Name", "Font.Weight").
  static Font FontOf(const formfile::PropertyList& properties, const Font& inherited);
  // A caption as shown: "&&" is one ampersand, a single one only marks the access key.
  static std::string Shown(std::string_view caption);
  // Where in the caption as shown its access key stands, the character after the single
  // ampersand; nothing when it has none.
  static std::optional<std::size_t> AccessKey(std::string_view caption);
  // The em of the font in pixels at 96 pixels per inch.
  static int SizePixels(const Font& font);

  // Widths and cell heights in pixels, measured as forms are laid out.
  int Width(std::string_view text, const Font& font) const;
  int CellHeight(const Font& font) const;
  // The text set in the font with its cell's top left corner at (x, top), cut to the
  // characters that can show in visible: a text far wider than its window costs what its
  // visible part does, and one wholly outside comes back empty.
  TextRun Run(std::string_view text, const Font& font, int x, int top, Rgb color,
              const Box& visible) const;
  // The lines of a text broken between words to fit width, as labels show long captions.
  std::vector<std::string> Wrap(std::string_view text, const Font& font, int width) const;

 private:
  struct Cut {
    std::size_t first = 0;
    std::size_t end = 0;
  };
  // The characters of text set from x that reach from left to right, give or take a margin
  // that keeps the cut clear of both edges.
  Cut VisibleCharacters(std::string_view text, const Font& font, int x, int left, int right) const;
  int MeasuredWidth(std::string_view text, const Font& font) const;

  TextMeasurer* measurer_;
};

}  // namespace tavik::preview
