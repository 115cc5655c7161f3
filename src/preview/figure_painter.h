// Draws the shape and line controls: figures and lines in a pen, filled or hatched.
#pragma once

#include "formfile/running_form.h"
#include "preview/scene.h"

namespace tavik::preview {

class FigurePainter {
 public:
  // A line's box, from origin: the pixels its ends span, one at the least each way.
  static Box LineBox(const formfile::RunningControl& line, const Box& origin);
  // The shape as its Shape property sets it (rectangle, square, oval, circle and the rounded
  // rectangle and square), its back, fill and border as their styles ask.
  static void Shape(Scene& scene, const formfile::RunningControl& shape, const Box& box);
  // The line from its start to its end, in box as LineBox placed it.
  static void Line(Scene& scene, const formfile::RunningControl& line, const Box& box);
};

}  // namespace tavik::preview
