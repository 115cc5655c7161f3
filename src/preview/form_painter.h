// Draws a whole form: its window with caption bar and client area, and every control in it.
#pragma once

#include <unordered_map>

#include "formfile/running_form.h"
#include "preview/control_painter.h"
#include "preview/frx_pictures.h"
#include "preview/scene.h"
#include "preview/text_metrics.h"

namespace tavik::preview {

class FormPainter {
 public:
  // pictures, where there is one, gives the pictures the form keeps in its .frx files.
  explicit FormPainter(const TextMetrics& metrics, FrxPictures* pictures = nullptr)
      : metrics_(metrics), pictures_(pictures) {}

  // The form as an active window at 96 pixels per inch, 15 twips to a pixel.
  Scene Paint(const formfile::RunningForm& form) const;

 private:
  using Placements = std::unordered_map<const formfile::RunningControl*, Box>;

  // Graphical controls first, then those with windows, each kind in the order of the file.
  void PaintControls(Scene& scene, ControlPainter& painter,
                     const std::vector<std::unique_ptr<formfile::RunningControl>>& controls,
                     const Box& origin, const Font& font, const Placements& placements) const;
  void PaintControl(Scene& scene, ControlPainter& painter, const formfile::RunningControl& control,
                    const Box& origin, const Font& font, const Placements& placements) const;
  // A scrolling form's scroll bars stand outside its client area in the file and are moved to
  // its edges when the form is shown; they are drawn where they are then.
  static Placements DockScrollBars(const formfile::RunningForm& form, const Box& client);

  const TextMetrics& metrics_;
  FrxPictures* pictures_;
};

}  // namespace tavik::preview
