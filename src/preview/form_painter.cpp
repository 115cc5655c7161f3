// Draws a whole form: its window with caption bar and client area, and every control in it.
#include "preview/form_painter.h"

#include <algorithm>
#include <optional>

#include "preview/bevels.h"
#include "preview/palette.h"
#include "preview/property_values.h"

namespace tavik::preview {

namespace {

using environment::PropertyList;
using environment::RunningControl;
using environment::RunningForm;

// Windows 95 at 96 pixels per inch: a sizable window's frame, a fixed one's, the caption bar
// with the line under it, and the buttons at its right.
constexpr int kSizingFrame = 4;
constexpr int kFixedFrame = 3;
constexpr int kCaptionHeight = 19;
constexpr int kCaptionButtonWidth = 16;
constexpr int kCaptionButtonHeight = 14;
// A form saved without a size has Visual Basic's default one.
constexpr double kDefaultWidthTwips = 4800;
constexpr double kDefaultHeightTwips = 3600;

std::optional<double> Twips(const PropertyList& properties, std::string_view name) {
  return PropertyValues::Number(properties, name);
}

int Pixels(double twips) {
  return PropertyValues::Pixels(twips);
}

int PixelsOf(const PropertyList& properties, std::string_view name) {
  return PropertyValues::PixelsOf(properties, name);
}

Box BoxOf(const RunningControl& control, const Box& origin) {
  return {origin.x + PixelsOf(control.properties, "Left"),
          origin.y + PixelsOf(control.properties, "Top"), PixelsOf(control.properties, "Width"),
          PixelsOf(control.properties, "Height")};
}

struct Frame {
  int border = kSizingFrame;
  int caption = kCaptionHeight;
};

// BorderStyle 0 has no frame and no caption, 2 (the default) a sizing frame, others a thin one.
Frame FrameOf(const PropertyList& properties) {
  const int style = static_cast<int>(Twips(properties, "BorderStyle").value_or(2));
  if (style == 0) return {0, 0};
  return {style == 2 ? kSizingFrame : kFixedFrame, kCaptionHeight};
}

void PaintCaptionButtons(Scene& scene, const Box& bar) {
  const Rgb ink = Palette::System(Palette::kButtonText);
  const int y = bar.y + 2;
  const int close_x = bar.x + bar.width - 2 - kCaptionButtonWidth;
  const int maximise_x = close_x - 2 - kCaptionButtonWidth;
  const int minimise_x = maximise_x - kCaptionButtonWidth;
  for (int x : {minimise_x, maximise_x, close_x}) {
    const Box button{x, y, kCaptionButtonWidth, kCaptionButtonHeight};
    scene.Fill(button, Palette::System(Palette::kButtonFace));
    Bevels::Raised(scene, button);
  }
  scene.Fill({minimise_x + 4, y + 9, 6, 2}, ink);
  scene.Edge({maximise_x + 3, y + 2, 9, 9}, ink, ink);
  scene.Fill({maximise_x + 3, y + 3, 9, 1}, ink);
  scene.Polygon(
      {{close_x + 4, y + 3}, {close_x + 6, y + 3}, {close_x + 12, y + 10}, {close_x + 10, y + 10}},
      ink);
  scene.Polygon(
      {{close_x + 10, y + 3}, {close_x + 12, y + 3}, {close_x + 6, y + 10}, {close_x + 4, y + 10}},
      ink);
}

const RunningControl* FindOfClass(const RunningForm& form, std::string_view base_class) {
  for (const auto& control : form.Controls()) {
    if (environment::SameName(ControlPainter::BaseClass(control->class_name), base_class)) {
      return control.get();
    }
  }
  return nullptr;
}

}  // namespace

Scene FormPainter::Paint(const RunningForm& form) const {
  const PropertyList& properties = form.Properties();
  const Frame frame = FrameOf(properties);
  int width = 0;
  int height = 0;
  if (auto client_width = Twips(properties, "ClientWidth")) {
    width = Pixels(*client_width) + 2 * frame.border;
    height = PixelsOf(properties, "ClientHeight") + 2 * frame.border + frame.caption;
  } else {
    width = Pixels(Twips(properties, "Width").value_or(kDefaultWidthTwips));
    height = Pixels(Twips(properties, "Height").value_or(kDefaultHeightTwips));
  }
  width = std::max(width, 2 * frame.border + 1);
  height = std::max(height, 2 * frame.border + frame.caption + 1);
  Scene scene(width, height, form.Caption());
  const Box client{frame.border, frame.border + frame.caption, width - 2 * frame.border,
                   height - 2 * frame.border - frame.caption};
  PaintWindow(scene, form, client);

  const Font font = TextMetrics::FontOf(properties, Font{});
  scene.BeginGroup({form.Name(), form.FormClass(), client});
  scene.Fill(client, Palette::Of(properties, "BackColor", Palette::System(Palette::kButtonFace)));
  ControlPainter painter(scene, metrics_, form.Code());
  const Placements placements = DockScrollBars(form, client);
  PaintControls(scene, painter, form.Controls(), client, font, placements);
  scene.EndGroup();
  return scene;
}

void FormPainter::PaintWindow(Scene& scene, const RunningForm& form, const Box& client) const {
  const Box window{0, 0, scene.Width(), scene.Height()};
  scene.Fill(window, Palette::System(Palette::kButtonFace));
  if (client.x == 0) return;
  Bevels::Raised(scene, window);
  const Box bar{client.x, client.y - kCaptionHeight, client.width, kCaptionHeight - 1};
  scene.BeginGroup({"caption", "", bar});
  scene.Fill(bar, Palette::System(Palette::kActiveCaption));
  Font font;
  font.bold = true;
  font.size = 8;
  const int top = bar.y + (bar.height - metrics_.CellHeight(font)) / 2;
  scene.Text(metrics_.Run(form.Caption(), font, bar.x + 3, top,
                          Palette::System(Palette::kCaptionText), scene.Visible()));
  PaintCaptionButtons(scene, bar);
  scene.EndGroup();
}

void FormPainter::PaintControls(
    Scene& scene, ControlPainter& painter,
    const std::vector<std::unique_ptr<environment::RunningControl>>& controls, const Box& origin,
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
