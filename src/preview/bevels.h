// The three-dimensional edges and arrow glyphs of Windows 95 controls.
#pragma once

#include "preview/scene.h"

namespace tavik::preview {

enum class Direction { kLeft, kRight, kUp, kDown };

class Bevels {
 public:
  // A push button's edge: white and light grey above and left, black and grey below and
  // right, two pixels wide.
  static void Raised(Scene& scene, const Box& box);
  // The edge of a scroll bar's buttons and thumb: light grey and white above and left,
  // black and grey below and right.
  static void RaisedScroll(Scene& scene, const Box& box);
  // A field's edge: grey and black above and left, white and light grey below and right.
  static void Sunken(Scene& scene, const Box& box);
  // A frame's groove: a grey line with a white one beside it.
  static void Etched(Scene& scene, const Box& box);
  // A solid triangle pointing the given way, centred on centre, half as high as it is wide.
  static void Arrow(Scene& scene, Point centre, Direction direction, int width, Rgb color);
  // A raised button face with an arrow in its middle, as scroll bars and combo boxes show.
  static void ArrowButton(Scene& scene, const Box& box, Direction direction);
};

}  // namespace tavik::preview
