// Draws the shape and line controls: figures and lines in a pen, filled or hatched.
#include "preview/figure_painter.h"

#include <algorithm>
#include <cstdlib>

#include "preview/palette.h"
#include "preview/property_values.h"

namespace tavik::preview {

namespace {

using formfile::RunningControl;

// The values of Shape, FillStyle and BorderStyle.
enum ShapeKind { kRectangle, kSquare, kOval, kCircle, kRoundedRectangle, kRoundedSquare };
constexpr int kSolidFill = 0;
constexpr int kTransparentFill = 1;
constexpr int kNoBorder = 0;
constexpr int kDash = 2;
constexpr int kDot = 3;
constexpr int kDashDot = 4;
constexpr int kDashDotDot = 5;
// Rounded corners have this share of the figure's shorter side as radius.
constexpr int kCornerShare = 6;

int IntegerOf(const RunningControl& control, std::string_view name, int fallback) {
  return PropertyValues::Integer(control.properties, name, fallback);
}

// The control's pen. Windows draws dashes and dots with thin pens only.
Pen PenOf(const RunningControl& control) {
  Pen pen;
  pen.color = Palette::Of(control.properties, "BorderColor", Palette::System(Palette::kWindowText));
  const int style = IntegerOf(control, "BorderStyle", 1);
  if (style == kNoBorder) return pen;
  pen.width = std::max(1, IntegerOf(control, "BorderWidth", 1));
  if (pen.width > 1) return pen;
  switch (style) {
    case kDash:
      pen.dashes = {18, 6};
      break;
    case kDot:
      pen.dashes = {3, 3};
      break;
    case kDashDot:
      pen.dashes = {9, 6, 3, 6};
      break;
    case kDashDotDot:
      pen.dashes = {9, 3, 3, 3, 3, 3};
      break;
    default:
      break;
  }
  return pen;
}

// A square or circle takes the shorter side, centred in the box.
Box Squared(const Box& box) {
  const int side = std::min(box.width, box.height);
  return {box.x + (box.width - side) / 2, box.y + (box.height - side) / 2, side, side};
}

double Twips(const RunningControl& control, std::string_view name) {
  return PropertyValues::Number(control.properties, name).value_or(0.0);
}

}  // namespace

Box FigurePainter::LineBox(const RunningControl& line, const Box& origin) {
  const int x1 = PropertyValues::Pixels(Twips(line, "X1"));
  const int y1 = PropertyValues::Pixels(Twips(line, "Y1"));
  const int x2 = PropertyValues::Pixels(Twips(line, "X2"));
  const int y2 = PropertyValues::Pixels(Twips(line, "Y2"));
  const int pen = std::max(1, IntegerOf(line, "BorderWidth", 1));
  return {origin.x + std::min(x1, x2) - (pen - 1) / 2, origin.y + std::min(y1, y2) - (pen - 1) / 2,
          std::abs(x2 - x1) + pen, std::abs(y2 - y1) + pen};
}

void FigurePainter::Shape(Scene& scene, const RunningControl& shape, const Box& box) {
  const int kind = IntegerOf(shape, "Shape", kRectangle);
  Figure figure;
  figure.box = kind == kSquare || kind == kCircle || kind == kRoundedSquare ? Squared(box) : box;
  if (kind == kOval || kind == kCircle) figure.outline = Outline::kEllipse;
  if (kind == kRoundedRectangle || kind == kRoundedSquare) {
    figure.outline = Outline::kRoundedRectangle;
    figure.corner = std::min(figure.box.width, figure.box.height) / kCornerShare;
  }
  if (IntegerOf(shape, "BackStyle", 0) != 0) {
    figure.fill = Palette::Of(shape.properties, "BackColor", Palette::System(Palette::kWindow));
  }
  const Rgb fill_color = Palette::Of(shape.properties, "FillColor", Rgb{});
  const int fill_style = IntegerOf(shape, "FillStyle", kTransparentFill);
  if (fill_style == kSolidFill) figure.fill = fill_color;
  if (fill_style > kTransparentFill && fill_style - 1 <= static_cast<int>(Hatch::kDiagonalCross)) {
    figure.hatch = static_cast<Hatch>(fill_style - 1);
    figure.hatch_color = fill_color;
  }
  figure.pen = PenOf(shape);
  scene.Draw(std::move(figure));
}

void FigurePainter::Line(Scene& scene, const RunningControl& line, const Box& box) {
  Pen pen = PenOf(line);
  if (pen.width == 0) return;
  const int inset = (pen.width - 1) / 2;
  const int left = box.x + inset;
  const int top = box.y + inset;
  const int right = box.Right() - 1 - (pen.width - 1 - inset);
  const int bottom = box.Bottom() - 1 - (pen.width - 1 - inset);
  const bool leftward = Twips(line, "X2") < Twips(line, "X1");
  const bool upward = Twips(line, "Y2") < Twips(line, "Y1");
  scene.Draw(Segment{{leftward ? right : left, upward ? bottom : top},
                     {leftward ? left : right, upward ? top : bottom},
                     std::move(pen)});
}

}  // namespace tavik::preview
