// The picture of a form as a list of flat shapes in pixels, drawn once and written twice.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tavik::preview {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box&) const = default;
  Box Inset(int by) const { return {x + by, y + by, width - 2 * by, height - 2 * by}; }
  bool Empty() const { return width <= 0 || height <= 0; }
  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  // The part of this box that also lies in other; empty when they do not meet.
  Box Intersection(const Box& other) const;
};

struct Point {
  int x = 0;
  int y = 0;
};

// A text as drawn: its first baseline point, the face and size it was measured in, and the
// width it measured, so that a renderer can be held to it.
struct TextRun {
  int x = 0;
  int baseline = 0;
  int measured_width = 0;
  std::string text;  // Windows-1252
  std::string face;
  int size_pixels = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Rgb color;
};

struct FilledBox {
  Box box;
  Rgb color;
};

// A box filled with two colours in alternate pixels, as Windows 95 fills a scroll bar's
// track.
struct DitheredBox {
  Box box;
  Rgb one;
  Rgb other;
};

// A picture a form keeps beside it, decoded: PNG in base64, and its size in pixels.
struct PictureData {
  std::string base64_png;
  int width = 0;
  int height = 0;
};
// A picture drawn into a box, stretched to fill it.
struct Bitmap {
  Box box;
  std::shared_ptr<const PictureData> picture;
};

struct FilledPolygon {
  std::vector<Point> points;
  Rgb color;
};

struct Circle {
  Point centre;
  int radius = 0;
  Rgb fill;
  Rgb outline;
};

// A shape control's figure: its outline in a pen (width 0 for none, a dash pattern of
// lengths in pixels or none) and its inside filled, hatched, both or neither.
enum class Outline { kRectangle, kRoundedRectangle, kEllipse };
enum class Hatch {
  kNone,
  kHorizontal,
  kVertical,
  kUpwardDiagonal,
  kDownwardDiagonal,
  kCross,
  kDiagonalCross
};
struct Pen {
  Rgb color;
  int width = 0;
  std::vector<int> dashes;
};
struct Figure {
  Outline outline = Outline::kRectangle;
  Box box;
  int corner = 0;  // the radius of a rounded rectangle's corners
  std::optional<Rgb> fill;
  Hatch hatch = Hatch::kNone;
  Rgb hatch_color;
  Pen pen;
};
// A line from one point to another, the pen centred on it.
struct Segment {
  Point from;
  Point to;
  Pen pen;
};

// What follows, up to the matching group end, belongs to one control (or to the form's
// client area) and is clipped to its box, as a window clips what is drawn in it.
struct GroupStart {
  std::string name;
  std::string class_name;
  Box box;
};
struct GroupEnd {};

using Shape = std::variant<FilledBox, DitheredBox, FilledPolygon, Circle, TextRun, Figure, Segment,
                           Bitmap, GroupStart, GroupEnd>;

class Scene {
 public:
  Scene(int width, int height, std::string title)
      : width_(width), height_(height), title_(std::move(title)), visible_{{0, 0, width, height}} {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::string& Title() const { return title_; }
  const std::vector<Shape>& Shapes() const { return shapes_; }

  void Fill(const Box& box, Rgb color);
  // A rectangle's one-pixel outline, top and left in one colour, bottom and right in another.
  void Edge(const Box& box, Rgb top_left, Rgb bottom_right);
  void Dither(const Box& box, Rgb one, Rgb other);
  void Picture(const Box& box, std::shared_ptr<const PictureData> picture);
  // Pixels given as rows of letters, each letter a colour of colors ('a' the first) and a
  // blank none, the first row's first pixel at corner: small glyphs drawn pixel by pixel.
  void Pixels(Point corner, const std::vector<std::string_view>& rows,
              const std::vector<Rgb>& colors);
  void Polygon(std::vector<Point> points, Rgb color);
  void Disc(Point centre, int radius, Rgb fill, Rgb outline);
  void Draw(Figure figure) { shapes_.emplace_back(std::move(figure)); }
  void Draw(Segment segment) { shapes_.emplace_back(std::move(segment)); }
  // A text cut away whole (nothing left of it) adds nothing.
  void Text(TextRun run);
  void BeginGroup(GroupStart group);
  void EndGroup();
  // What of the picture the open groups leave to be seen: whatever lies outside is clipped
  // away, so it need not be drawn at all.
  const Box& Visible() const { return visible_.back(); }

 private:
  int width_;
  int height_;
  std::string title_;
  std::vector<Shape> shapes_;
  std::vector<Box> visible_;  // the whole picture, then one box for each open group
};

}  // namespace tavik::preview
