// Draws a whole form: its window with caption bar and client area, and every control in it.
#include "preview/form_painter.h"

#include <algorithm>

#include "preview/figure_painter.h"
#include "preview/palette.h"
#include "preview/property_values.h"
#include "preview/window_painter.h"

namespace tavik::preview {

namespace {

using formfile::PropertyList;
using formfile::RunningControl;
using formfile::RunningForm;

int PixelsOf(const PropertyList& properties, std::string_view name) {
  return PropertyValues::PixelsOf(properties, name);
}

Box BoxOf(const RunningControl& control, const Box& origin) {
  if (formfile::SameName(ControlPainter::BaseClass(control.class_name), "Line")) {
    return FigurePainter::LineBox(control, origin);
  }
  return {origin.x + PixelsOf(control.properties, "Left"),
          origin.y + PixelsOf(control.properties, "Top"), PixelsOf(control.properties, "Width"),
          PixelsOf(control.properties, "Height")};
}

const RunningControl* FindOfClass(const RunningForm& form, std::string_view base_class) {
  for (const auto& control : form.Controls()) {
    if (formfile::SameName(ControlPainter::BaseClass(control->class_name), base_class)) {
      return control.get();
    }
  }
  return nullptr;
}

}  // namespace

Scene FormPainter::Paint(const RunningForm& form) const {
  const PropertyList& properties = form.Properties();
  const WindowPainter window(metrics_, form, pictures_);
  Scene scene(window.Width(), window.Height(), form.Caption());
  window.Paint(scene);
  const Box& client = window.Client();
  const Font font = TextMetrics::FontOf(properties, Font{});
  scene.BeginGroup({form.Name(), form.FormClass(), client});
  scene.Fill(client, Palette::Of(properties, "BackColor", Palette::System(Palette::kButtonFace)));
  // The form's picture lies at its own size in the client area's corner, under every control.
  if (auto picture = pictures_ != nullptr ? pictures_->Find(properties, "Picture") : nullptr) {
    scene.Picture({client.x, client.y, picture->width, picture->height}, picture);
  }
  ControlPainter painter(scene, metrics_, form.Code(), pictures_);
  const Placements placements = DockScrollBars(form, client);
  PaintControls(scene, painter, form.Controls(), client, font, placements);
  scene.EndGroup();
  return scene;
}

void FormPainter::PaintControls(
    Scene& scene, ControlPainter& painter,
    const std::vector<std::unique_ptr<formfile::RunningControl>>& controls, const Box& origin,
    const Font& font, const Placements& placements) const {
  for (const bool graphical : {true, false}) {
    for (const auto& control : controls) {
      if (ControlPainter::Graphical(*control) == graphical) {
        PaintControl(scene, painter, *control, origin, font, placements);
      }
    }
  }
}

void FormPainter::PaintControl(Scene& scene, ControlPainter& painter, const RunningControl& control,
                               const Box& origin, const Font& font,
                               const Placements& placements) const {
  if (!ControlPainter::Visible(control)) return;
  const auto placed = placements.find(&control);
  const Box box = placed != placements.end() ? placed->second : BoxOf(control, origin);
  // Only what falls inside the window goes into the picture: a control wholly outside its
  // container's visible part is left out with all it holds.
  if (box.Intersection(scene.Visible()).Empty()) return;
  const Font own_font = TextMetrics::FontOf(control.properties, font);
  scene.BeginGroup({control.name, control.class_name, box});
  const Box inside = painter.Paint(control, box, own_font);
  PaintControls(scene, painter, control.children, inside, own_font, placements);
  scene.EndGroup();
}

FormPainter::Placements FormPainter::DockScrollBars(const RunningForm& form, const Box& client) {
  const RunningControl* panel = FindOfClass(form, "SSPanel");
  const RunningControl* across = FindOfClass(form, "HScrollBar");
  const RunningControl* down = FindOfClass(form, "VScrollBar");
  if (panel == nullptr || across == nullptr || down == nullptr) return {};
  const int panel_width = PixelsOf(panel->properties, "Width");
  const int panel_height = PixelsOf(panel->properties, "Height");
  const int across_height = PixelsOf(across->properties, "Height");
  const int down_width = PixelsOf(down->properties, "Width");
  // As the form's Resize code places them: a bar shows only when the panel is larger than
  // the client area that way, and showing one can make room for the other too.
  int across_top = panel_width > client.width ? client.height - across_height : client.height;
  int down_left = client.width;
  if (panel_height > across_top) {
    down_left = client.width - down_width;
    if (panel_width > down_left) across_top = client.height - across_height;
  }
  Placements placements;
  placements[across] = {client.x, client.y + across_top, client.width, across_height};
  placements[down] = {client.x + down_left, client.y, down_width, across_top};
  return placements;
}

}  // namespace tavik::preview
