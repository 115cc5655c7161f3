// Draws one control of a form as Windows 95 shows it, by the control's class.
#pragma once

#include <string>
#include <string_view>

#include "formfile/running_form.h"
#include "preview/frx_pictures.h"
#include "preview/scene.h"
#include "preview/text_metrics.h"

namespace tavik::preview {

class ControlPainter {
 public:
  // code is the form's code, which names the columns of its grids; pictures, where there is
  // one, gives the pictures the form keeps in its .frx files.
  ControlPainter(Scene& scene, const TextMetrics& metrics, std::string_view code,
                 FrxPictures* pictures)
      : scene_(scene), metrics_(metrics), code_(code), pictures_(pictures) {}

  // The class without its library ("VB.TextBox" and "TextBox" are both "TextBox").
  static std::string_view BaseClass(std::string_view class_name);
  // Controls that show nothing at run time (timers, common dialogs, image lists, the report
  // and communications controls, any with Visible False) are not drawn.
  static bool Visible(const formfile::RunningControl& control);
  // Labels, images, shapes and lines have no window of their own: they are painted on their
  // container, beneath every control that has one.
  static bool Graphical(const formfile::RunningControl& control);

  // Draws the control in box with font; returns the box its children are placed in.
  Box Paint(const formfile::RunningControl& control, const Box& box, const Font& font);

 private:
  struct Look;  // the control, its box, font and colours, as each drawing needs them
  void Label(const Look& look);
  void Field(const Look& look, std::string_view shown, bool grey);
  void ComboBox(const Look& look);
  void DropDown(const Look& look, std::string_view shown);
  void FolderList(const Look& look);
  Box TabDialog(const Look& look);
  void Tab(const Look& look, const Box& tab, int index, bool selected);
  void Choice(const Look& look, bool round);
  void Button(const Look& look);
  Box Frame(const Look& look);
  void DataControl(const Look& look);
  void Gauge(const Look& look);
  Box Picture(const Look& look);
  void Image(const Look& look);
  // The picture a property names, at its own size from corner or stretched to a box; false
  // when there is none.
  bool DrawPicture(const Look& look, std::string_view property, Point corner);
  std::shared_ptr<const PictureData> PictureOf(const Look& look, std::string_view property);
  void Grid(const Look& look, bool record_selectors);
  Box Panel(const Look& look);
  void ScrollBar(const Look& look, bool horizontal);
  void Unknown(const Look& look);
  // A line of text in the look's font, aligned in box (0 left, 1 right, 2 centre) and
  // centred vertically in it.
  void Line(const Look& look, std::string_view text, const Box& box, int alignment, Rgb color);

  Scene& scene_;
  const TextMetrics& metrics_;
  std::string_view code_;
  FrxPictures* pictures_;
};

}  // namespace tavik::preview
