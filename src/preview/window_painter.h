// The window around a form's client area: its frame, caption bar and menu bar.
#pragma once

#include <vector>

#include "formfile/running_form.h"
#include "preview/frx_pictures.h"
#include "preview/scene.h"
#include "preview/text_metrics.h"

namespace tavik::preview {

class WindowPainter {
 public:
  // Sizes the window from the form's properties: its own size ("Width", "Height") or its
  // client area's ("ClientWidth", "ClientHeight"), its BorderStyle and its menus.
  // pictures, where there is one, gives the form's icon.
  WindowPainter(const TextMetrics& metrics, const formfile::RunningForm& form,
                FrxPictures* pictures);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const Box& Client() const { return client_; }
  // The frame, then the caption bar with the buttons the form asks for, then the menu bar.
  void Paint(Scene& scene) const;

 private:
  void PaintCaptionBar(Scene& scene, const Box& bar) const;
  void PaintCaptionButtons(Scene& scene, const Box& bar) const;
  // The system menu's button: the form's icon, or the default one.
  void PaintIcon(Scene& scene, const Box& icon) const;
  void PaintMenuBar(Scene& scene, const Box& bar) const;

  const TextMetrics& metrics_;
  const formfile::RunningForm& form_;
  FrxPictures* pictures_;
  int border_style_;
  bool control_box_;
  bool min_button_;
  bool max_button_;
  int frame_ = 0;
  int caption_ = 0;
  int menu_ = 0;
  std::vector<const formfile::RunningControl*> menus_;  // the top-level ones that show
  int width_ = 0;
  int height_ = 0;
  Box client_;
};

}  // namespace tavik::preview
