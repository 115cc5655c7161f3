// The picture of a form as a list of flat shapes in pixels.
#include "preview/scene.h"

#include <algorithm>

namespace tavik::preview {

Box Box::Intersection(const Box& other) const {
  const int left = std::max(x, other.x);
  const int top = std::max(y, other.y);
  const int right = std::min(Right(), other.Right());
  const int bottom = std::min(Bottom(), other.Bottom());
  if (right <= left || bottom <= top) return {left, top, 0, 0};
  return {left, top, right - left, bottom - top};
}

void Scene::Fill(const Box& box, Rgb color) {
  if (!box.Empty()) shapes_.emplace_back(FilledBox{box, color});
}

void Scene::Edge(const Box& box, Rgb top_left, Rgb bottom_right) {
  if (box.Empty()) return;
  Fill({box.x, box.y, box.width - 1, 1}, top_left);
  Fill({box.x, box.y + 1, 1, box.height - 2}, top_left);
  Fill({box.x, box.y + box.height - 1, box.width, 1}, bottom_right);
  Fill({box.x + box.width - 1, box.y, 1, box.height - 1}, bottom_right);
}

void Scene::Dither(const Box& box, Rgb one, Rgb other) {
  if (!box.Empty()) shapes_.emplace_back(DitheredBox{box, one, other});
}

void Scene::Picture(const Box& box, std::shared_ptr<const PictureData> picture) {
  if (!box.Empty() && picture) shapes_.emplace_back(Bitmap{box, std::move(picture)});
}

void Scene::Pixels(Point corner, const std::vector<std::string_view>& rows,
                   const std::vector<Rgb>& colors) {
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const std::string_view pixels = rows[row];
    // Each run of one letter is one box.
    for (std::size_t start = 0; start < pixels.size();) {
      std::size_t end = start;
      while (end < pixels.size() && pixels[end] == pixels[start]) ++end;
      const auto color = static_cast<std::size_t>(pixels[start] - 'a');
      if (pixels[start] != ' ' && color < colors.size()) {
        Fill({corner.x + static_cast<int>(start), corner.y + static_cast<int>(row),
              static_cast<int>(end - start), 1},
             colors[color]);
      }
      start = end;
    }
  }
}

void Scene::Polygon(std::vector<Point> points, Rgb color) {
  shapes_.emplace_back(FilledPolygon{std::move(points), color});
}

void Scene::Disc(Point centre, int radius, Rgb fill, Rgb outline) {
  shapes_.emplace_back(Circle{centre, radius, fill, outline});
}

void Scene::Text(TextRun run) {
  if (!run.text.empty()) shapes_.emplace_back(std::move(run));
}

void Scene::BeginGroup(GroupStart group) {
  visible_.push_back(visible_.back().Intersection(group.box));
  shapes_.emplace_back(std::move(group));
}

void Scene::EndGroup() {
  if (visible_.size() > 1) visible_.pop_back();
  shapes_.emplace_back(GroupEnd{});
}

}  // namespace tavik::preview
