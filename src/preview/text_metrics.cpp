// Fonts of forms and controls, and the pixel sizes of their texts from the text measurer.
#include "preview/text_metrics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "preview/property_values.h"

namespace tavik::preview {

namespace {

using formfile::PropertyList;

constexpr int kPixelsPerInch = 96;
constexpr double kTwipsPerPixel = 15.0;
// The measurer widens widths and heightens heights by these factors; pixels undo them.
constexpr double kWidthFactor = 1.275;
constexpr double kHeightFactor = 1.4;
constexpr int kBoldWeight = 700;
// Larger sizes than any font a form can hold are drawn at this one, which keeps the
// pixel sums made from a size within an int.
constexpr double kLargestFontSize = 2048;
// Where the baseline sits in a cell when no font could be measured, and the average
// character width relative to the em for that case.
constexpr double kAscentShare = 0.8;
constexpr double kAverageWidthShare = 0.5;
// The measurer's extents are 16 bits of twips, too few for a long line: texts are measured
// in pieces this short, whose advances add up as the whole's do.
constexpr std::size_t kMeasuredPiece = 16;
// A text is cut no nearer the edge of what shows than this many ems.
constexpr int kCutMarginEms = 2;

std::optional<std::string> StringOf(const PropertyList& properties, std::string_view old_name,
                                    std::string_view group_member) {
  std::optional<std::string> value = formfile::StringProperty(properties, old_name);
  return value ? value : formfile::StringProperty(properties, group_member);
}

// The older separate property, else the member of the "Font" group.
std::optional<double> Either(const PropertyList& properties, std::string_view old_name,
                             std::string_view group_member) {
  std::optional<double> value = PropertyValues::Number(properties, old_name);
  return value ? value : PropertyValues::Number(properties, group_member);
}

std::optional<bool> Flag(const PropertyList& properties, std::string_view old_name,
                         std::string_view group_member) {
  const std::optional<double> value = Either(properties, old_name, group_member);
  if (!value) return std::nullopt;
  return *value != 0;
}

}  // namespace

Font TextMetrics::FontOf(const PropertyList& properties, const Font& inherited) {
  Font font = inherited;
  if (auto name = StringOf(properties, "FontName", "Font.Name")) font.face = *name;
  if (auto size = Either(properties, "FontSize", "Font.Size"); size && *size > 0) {
    font.size = static_cast<float>(std::min(*size, kLargestFontSize));
  }
  if (auto bold = Flag(properties, "FontBold", "Font.Bold")) font.bold = *bold;
  if (auto weight = PropertyValues::Number(properties, "Font.Weight")) {
    font.bold = *weight >= kBoldWeight;
  }
  if (auto italic = Flag(properties, "FontItalic", "Font.Italic")) font.italic = *italic;
  if (auto underline = Flag(properties, "FontUnderline", "Font.Underline")) {
    font.underline = *underline;
  }
  return font;
}

std::string TextMetrics::Shown(std::string_view caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

std::optional<std::size_t> TextMetrics::AccessKey(std::string_view caption) {
  std::size_t shown = 0;
  for (std::size_t i = 0; i < caption.size(); ++i, ++shown) {
    if (caption[i] != '&' || i + 1 >= caption.size()) continue;
    ++i;
    if (caption[i] != '&') return shown;
  }
  return std::nullopt;
}

int TextMetrics::SizePixels(const Font& font) {
  return static_cast<int>(std::lround(font.size * kPixelsPerInch / 72.0));
}

int TextMetrics::Width(std::string_view text, const Font& font) const {
  int width = 0;
  for (std::size_t start = 0; start < text.size(); start += kMeasuredPiece) {
    width += MeasuredWidth(text.substr(start, kMeasuredPiece), font);
  }
  return width;
}

int TextMetrics::MeasuredWidth(std::string_view text, const Font& font) const {
  TextExtent extent;
  if (measurer_ != nullptr) {
    extent = measurer_->Measure(text, font.face, font.size, kPixelsPerInch, kPixelsPerInch);
  }
  if (extent.width == 0) {
    return static_cast<int>(
        std::lround(static_cast<double>(text.size()) * SizePixels(font) * kAverageWidthShare));
  }
  return static_cast<int>(std::lround(extent.width / (kTwipsPerPixel * kWidthFactor)));
}

int TextMetrics::CellHeight(const Font& font) const {
  TextExtent extent;
  if (measurer_ != nullptr) {
    extent = measurer_->Measure("X", font.face, font.size, kPixelsPerInch, kPixelsPerInch);
  }
  if (extent.height == 0) return SizePixels(font) * 5 / 4;
  return static_cast<int>(std::lround(extent.height / (kTwipsPerPixel * kHeightFactor)));
}

TextRun TextMetrics::Run(std::string_view text, const Font& font, int x, int top, Rgb color,
                         const Box& visible) const {
  const int cell = CellHeight(font);
  if (top + cell <= visible.y || top >= visible.Bottom()) return {};
  const Cut cut = VisibleCharacters(text, font, x, visible.x, visible.Right());
  x += Width(text.substr(0, cut.first), font);
  text = text.substr(cut.first, cut.end - cut.first);
  const int ascent = static_cast<int>(std::ceil(cell * kAscentShare));
  return TextRun{x,
                 top + ascent,
                 Width(text, font),
                 std::string(text),
                 font.face,
                 SizePixels(font),
                 font.bold,
                 font.italic,
                 font.underline,
                 color};
}

TextMetrics::Cut TextMetrics::VisibleCharacters(std::string_view text, const Font& font, int x,
                                                int left, int right) const {
  // Each byte's advance is measured once; their sum may stray from the whole's by a pixel
  // here and there, which the margin covers.
  std::array<int, 256> advances{};
  advances.fill(-1);
  const int margin = kCutMarginEms * SizePixels(font);
  Cut cut{text.size(), text.size()};
  int position = x;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (position > right + margin) {
      cut.end = i;
      break;
    }
    int& advance = advances[static_cast<unsigned char>(text[i])];
    if (advance < 0) advance = MeasuredWidth(text.substr(i, 1), font);
    position += advance;
    if (cut.first == text.size() && position >= left - margin) cut.first = i;
  }
  cut.first = std::min(cut.first, cut.end);
  return cut;
}

std::vector<std::string> TextMetrics::Wrap(std::string_view text, const Font& font,
                                           int width) const {
  // Advances add up, so each word is measured once and a line's width is kept as it grows.
  const int space = Width(" ", font);
  std::vector<std::string> lines(1);
  int line_width = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    const int word_width = Width(word, font);
    if (lines.back().empty()) {
      line_width = word_width;
    } else if (line_width + space + word_width > width) {
      lines.emplace_back();
      line_width = word_width;
    } else {
      lines.back() += ' ';
      line_width += space + word_width;
    }
    lines.back() += word;
    start = end + 1;
  }
  return lines;
}

}  // namespace tavik::preview
