// Writes the picture of a form as an SVG document, its texts as real text.
#include "preview/svg_writer.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <array>
#include <variant>

#include "formfile/form_property.h"

namespace tavik::preview {

namespace {

// Faces of forms and the families that stand in for them: the outline edition of a raster
// face, then the metric-compatible faces the text measurer uses, then a generic family.
struct FaceFamilies {
  std::string_view face;
  std::string_view families;
};
constexpr std::array kFaceFamilies{
    FaceFamilies{"MS Sans Serif", "'MS Sans Serif', 'Liberation Sans', Arial, sans-serif"},
    FaceFamilies{"Helv", "'MS Sans Serif', 'Liberation Sans', Arial, sans-serif"},
    FaceFamilies{"MS Serif", "'MS Serif', 'Liberation Serif', 'Times New Roman', serif"},
    FaceFamilies{"Arial", "Arial, 'Liberation Sans', sans-serif"},
    FaceFamilies{"Arial Narrow", "'Arial Narrow', 'Liberation Sans Narrow', sans-serif"},
    FaceFamilies{"Times New Roman", "'Times New Roman', 'Liberation Serif', serif"},
    FaceFamilies{"Courier New", "'Courier New', 'Liberation Mono', monospace"},
    FaceFamilies{"Courier", "Courier, 'Courier New', 'Liberation Mono', monospace"},
    FaceFamilies{"Tahoma", "Tahoma, 'Liberation Sans', sans-serif"},
    FaceFamilies{"System", "System, 'MS Sans Serif', 'Liberation Sans', sans-serif"},
    FaceFamilies{"Small Fonts", "'Small Fonts', 'Liberation Sans', sans-serif"},
};

// Text for XML from the code page.
std::string Escaped(std::string_view text, const text::CodePage& page) {
  return SvgWriter::Markup(page.ToUtf8(text));
}

std::string Color(Rgb color) {
  return fmt::format("#{:02x}{:02x}{:02x}", color.red, color.green, color.blue);
}

// A hatch as a tile of eight pixels with its lines drawn across it.
constexpr std::string_view HatchPath(Hatch hatch) {
  switch (hatch) {
    case Hatch::kHorizontal:
      return "M0,0.5H8";
    case Hatch::kVertical:
      return "M0.5,0V8";
    case Hatch::kUpwardDiagonal:
      return "M0,8L8,0M-1,1L1,-1M7,9L9,7";
    case Hatch::kDownwardDiagonal:
      return "M0,0L8,8M-1,7L1,9M7,-1L9,1";
    case Hatch::kCross:
      return "M0,0.5H8M0.5,0V8";
    case Hatch::kDiagonalCross:
      return "M0,8L8,0M0,0L8,8";
    case Hatch::kNone:
      break;
  }
  return "";
}

std::string Stroke(const Pen& pen) {
  if (pen.width <= 0) return " stroke=\"none\"";
  std::string stroke =
      fmt::format(" stroke=\"{}\" stroke-width=\"{}\"", Color(pen.color), pen.width);
  if (!pen.dashes.empty()) {
    stroke += fmt::format(" stroke-dasharray=\"{}\"", fmt::join(pen.dashes, " "));
  }
  return stroke;
}

class ShapeWriter {
 public:
  ShapeWriter(std::string& out, const text::CodePage& page)
      : out_(out), page_(page), measured_(page.Name() == text::CodePage::kDefault) {}

  void operator()(const FilledBox& shape) {
    out_ += fmt::format("<rect x=\"{}\" y=\"{}\" width=\"{}\" height=\"{}\" fill=\"{}\"/>\n",
                        shape.box.x, shape.box.y, shape.box.width, shape.box.height,
                        Color(shape.color));
  }
  void operator()(const DitheredBox& shape) {
    ++pattern_count_;
    out_ += fmt::format(
        "<defs><pattern id=\"dither{0}\" width=\"2\" height=\"2\" "
        "patternUnits=\"userSpaceOnUse\"><rect width=\"2\" height=\"2\" fill=\"{1}\"/>"
        "<rect width=\"1\" height=\"1\" fill=\"{2}\"/><rect x=\"1\" y=\"1\" width=\"1\" "
        "height=\"1\" fill=\"{2}\"/></pattern></defs>\n"
        "<rect x=\"{3}\" y=\"{4}\" width=\"{5}\" height=\"{6}\" fill=\"url(#dither{0})\"/>\n",
        pattern_count_, Color(shape.other), Color(shape.one), shape.box.x, shape.box.y,
        shape.box.width, shape.box.height);
  }
  void operator()(const Bitmap& shape) {
    out_ += fmt::format(
        "<image x=\"{}\" y=\"{}\" width=\"{}\" height=\"{}\" preserveAspectRatio=\"none\" "
        "href=\"data:image/png;base64,{}\"/>\n",
        shape.box.x, shape.box.y, shape.box.width, shape.box.height, shape.picture->base64_png);
  }
  void operator()(const FilledPolygon& shape) {
    out_ += "<polygon points=\"";
    for (std::size_t i = 0; i < shape.points.size(); ++i) {
      out_ += fmt::format("{}{},{}", i == 0 ? "" : " ", shape.points[i].x, shape.points[i].y);
    }
    out_ += fmt::format("\" fill=\"{}\"/>\n", Color(shape.color));
  }
  void operator()(const Circle& shape) {
    out_ += fmt::format(
        "<circle cx=\"{}.5\" cy=\"{}.5\" r=\"{}\" fill=\"{}\" stroke=\"{}\" "
        "shape-rendering=\"geometricPrecision\"/>\n",
        shape.centre.x, shape.centre.y, shape.radius, Color(shape.fill), Color(shape.outline));
  }
  void operator()(const TextRun& run) {
    if (run.text.empty()) return;
    out_ += fmt::format("<text x=\"{}\" y=\"{}\" font-family=\"{}\" font-size=\"{}\"", run.x,
                        run.baseline, SvgWriter::FontFamilies(run.face, page_), run.size_pixels);
    if (run.bold) out_ += " font-weight=\"bold\"";
    if (run.italic) out_ += " font-style=\"italic\"";
    if (run.underline) out_ += " text-decoration=\"underline\"";
    // The measurer knows regular weights and Windows-1252 only; other texts keep their own
    // widths.
    if (!run.bold && measured_) out_ += fmt::format(" textLength=\"{}\"", run.measured_width);
    out_ += fmt::format(" fill=\"{}\" xml:space=\"preserve\">{}</text>\n", Color(run.color),
                        Escaped(run.text, page_));
  }
  void operator()(const Figure& figure) {
    if (figure.fill) Trace(figure, fmt::format("fill=\"{}\" stroke=\"none\"", Color(*figure.fill)));
    if (figure.hatch != Hatch::kNone) {
      ++pattern_count_;
      out_ += fmt::format(
          "<defs><pattern id=\"hatch{}\" width=\"8\" height=\"8\" "
          "patternUnits=\"userSpaceOnUse\"><path d=\"{}\" stroke=\"{}\"/></pattern></defs>\n",
          pattern_count_, HatchPath(figure.hatch), Color(figure.hatch_color));
      Trace(figure, fmt::format("fill=\"url(#hatch{})\" stroke=\"none\"", pattern_count_));
    }
    if (figure.pen.width > 0) Trace(figure, "fill=\"none\"" + Stroke(figure.pen));
  }
  void operator()(const Segment& segment) {
    out_ +=
        fmt::format("<line x1=\"{}.5\" y1=\"{}.5\" x2=\"{}.5\" y2=\"{}.5\"{}/>\n", segment.from.x,
                    segment.from.y, segment.to.x, segment.to.y, Stroke(segment.pen));
  }
  void operator()(const GroupStart& group) {
    ++clip_count_;
    out_ += fmt::format(
        "<clipPath id=\"clip{}\"><rect x=\"{}\" y=\"{}\" width=\"{}\" height=\"{}\"/></clipPath>\n",
        clip_count_, group.box.x, group.box.y, std::max(0, group.box.width),
        std::max(0, group.box.height));
    out_ += fmt::format(
        "<g data-name=\"{}\" data-class=\"{}\" data-box=\"{} {} {} {}\" "
        "clip-path=\"url(#clip{})\">\n",
        Escaped(group.name, page_), Escaped(group.class_name, page_), group.box.x, group.box.y,
        group.box.width, group.box.height, clip_count_);
  }
  void operator()(const GroupEnd&) { out_ += "</g>\n"; }

 private:
  // The figure's outline with the paint given; a pen's stroke lies inside the box.
  void Trace(const Figure& figure, const std::string& paint) {
    const double inset = figure.pen.width / 2.0;
    const double x = figure.box.x + inset;
    const double y = figure.box.y + inset;
    const double width = std::max(0.0, figure.box.width - 2 * inset);
    const double height = std::max(0.0, figure.box.height - 2 * inset);
    if (figure.outline == preview::Outline::kEllipse) {
      out_ += fmt::format("<ellipse cx=\"{}\" cy=\"{}\" rx=\"{}\" ry=\"{}\" {}/>\n", x + width / 2,
                          y + height / 2, width / 2, height / 2, paint);
      return;
    }
    const int corner = figure.outline == preview::Outline::kRoundedRectangle ? figure.corner : 0;
    out_ += fmt::format("<rect x=\"{}\" y=\"{}\" width=\"{}\" height=\"{}\" rx=\"{}\" {}/>\n", x, y,
                        width, height, corner, paint);
  }

  std::string& out_;
  const text::CodePage& page_;
  bool measured_;
  int clip_count_ = 0;
  int pattern_count_ = 0;
};

}  // namespace

std::string SvgWriter::Markup(std::string_view utf8) {
  std::string escaped;
  for (char c : utf8) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        escaped += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return escaped;
}

std::string SvgWriter::FontFamilies(std::string_view face, const text::CodePage& page) {
  for (const FaceFamilies& known : kFaceFamilies) {
    if (formfile::SameName(face, known.face)) return std::string(known.families);
  }
  return fmt::format("'{}', sans-serif", Escaped(face, page));
}

std::string SvgWriter::Write(const Scene& scene, const text::CodePage& page) {
  std::string out = fmt::format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{1}\" "
      "viewBox=\"0 0 {0} {1}\" shape-rendering=\"crispEdges\">\n"
      "<title>{2}</title>\n",
      scene.Width(), scene.Height(), Escaped(scene.Title(), page));
  ShapeWriter writer(out, page);
  for (const Shape& shape : scene.Shapes()) std::visit(writer, shape);
  out += "</svg>\n";
  return out;
}

}  // namespace tavik::preview
