// The three-dimensional edges and arrow glyphs of Windows 95 controls.
#include "preview/bevels.h"

#include <algorithm>

#include "preview/palette.h"

namespace tavik::preview {

void Bevels::Raised(Scene& scene, const Box& box) {
  scene.Edge(box, Palette::System(Palette::kButtonHighlight),
             Palette::System(Palette::kDarkShadow));
  scene.Edge(box.Inset(1), Palette::System(Palette::kLight),
             Palette::System(Palette::kButtonShadow));
}

void Bevels::RaisedScroll(Scene& scene, const Box& box) {
  scene.Edge(box, Palette::System(Palette::kLight), Palette::System(Palette::kDarkShadow));
  scene.Edge(box.Inset(1), Palette::System(Palette::kButtonHighlight),
             Palette::System(Palette::kButtonShadow));
}

void Bevels::Sunken(Scene& scene, const Box& box) {
  scene.Edge(box, Palette::System(Palette::kButtonShadow),
             Palette::System(Palette::kButtonHighlight));
  scene.Edge(box.Inset(1), Palette::System(Palette::kDarkShadow), Palette::System(Palette::kLight));
}

void Bevels::Etched(Scene& scene, const Box& box) {
  scene.Edge({box.x, box.y, box.width - 1, box.height - 1}, Palette::System(Palette::kButtonShadow),
             Palette::System(Palette::kButtonShadow));
  scene.Edge({box.x + 1, box.y + 1, box.width - 1, box.height - 1},
             Palette::System(Palette::kButtonHighlight),
             Palette::System(Palette::kButtonHighlight));
}

void Bevels::Arrow(Scene& scene, Point centre, Direction direction, int width, Rgb color) {
  const int half = std::max(1, width / 2);
  const int depth = std::max(1, half / 2 + 1);
  const int near = depth / 2;
  const int far = depth - near;
  switch (direction) {
    case Direction::kDown:
      scene.Polygon({{centre.x - half, centre.y - near},
                     {centre.x + half + 1, centre.y - near},
                     {centre.x, centre.y + far + 1}},
                    color);
      break;
    case Direction::kUp:
      scene.Polygon({{centre.x - half, centre.y + near + 1},
                     {centre.x + half + 1, centre.y + near + 1},
                     {centre.x, centre.y - far}},
                    color);
      break;
    case Direction::kRight:
      scene.Polygon({{centre.x - near, centre.y - half},
                     {centre.x - near, centre.y + half + 1},
                     {centre.x + far + 1, centre.y}},
                    color);
      break;
    case Direction::kLeft:
      scene.Polygon({{centre.x + near + 1, centre.y - half},
                     {centre.x + near + 1, centre.y + half + 1},
                     {centre.x - far, centre.y}},
                    color);
      break;
  }
}

void Bevels::ArrowButton(Scene& scene, const Box& box, Direction direction) {
  scene.Fill(box, Palette::System(Palette::kButtonFace));
  RaisedScroll(scene, box);
  const int size = std::max(3, std::min(box.width, box.height) / 2);
  Arrow(scene, {box.x + box.width / 2, box.y + box.height / 2}, direction, size,
        Palette::System(Palette::kButtonText));
}

}  // namespace tavik::preview
