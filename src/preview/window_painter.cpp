// The window around a form's client area: its frame, caption bar and menu bar.
#include "preview/window_painter.h"

#include <algorithm>
#include <optional>

#include "preview/bevels.h"
#include "preview/control_painter.h"
#include "preview/palette.h"
#include "preview/property_values.h"

namespace tavik::preview {

namespace {

using formfile::PropertyList;
using formfile::RunningControl;

// Windows 95 at 96 pixels per inch: a sizable window's frame, a fixed one's, the caption bar
// with the line under it (a tool window's is smaller), the menu bar and the room about each
// of its captions.
constexpr int kSizingFrame = 4;
constexpr int kFixedFrame = 3;
constexpr int kCaptionHeight = 19;
constexpr int kToolCaptionHeight = 15;
constexpr int kMenuHeight = 19;
constexpr int kMenuItemPadding = 6;
// The system menu's icon, small, at the left of the caption bar.
constexpr int kIconSize = 16;
constexpr int kIconMargin = 2;
// The icon a form without one of its own shows: a window with a blue caption bar.
const std::vector<std::string_view> kDefaultIcon = {
    "                ", " aaaaaaaaaaaaaa ", " abbbbbbbbbbbba ", " abbbbbbbbbbbba ",
    " aaaaaaaaaaaaaa ", " acccccccccccca ", " acccccccccccca ", " acccccccccccca ",
    " acccccccccccca ", " acccccccccccca ", " acccccccccccca ", " acccccccccccca ",
    " acccccccccccca ", " aaaaaaaaaaaaaa ", "                ", "                ",
};
// A form saved without a size has Visual Basic's default one.
constexpr double kDefaultWidthTwips = 4800;
constexpr double kDefaultHeightTwips = 3600;

// BorderStyle values that matter here.
constexpr int kNoBorder = 0;
constexpr int kSizable = 2;
constexpr int kFixedToolWindow = 4;
constexpr int kSizableToolWindow = 5;

bool Flag(const PropertyList& properties, std::string_view name) {
  return PropertyValues::Integer(properties, name, -1) != 0;
}

bool IsMenu(const RunningControl& control) {
  return formfile::SameName(ControlPainter::BaseClass(control.class_name), "Menu");
}

// A caption button's glyph, greyed with a white shadow when the button does nothing.
void Glyph(bool enabled, const auto& draw) {
  if (!enabled) draw(1, Palette::System(Palette::kButtonHighlight));
  draw(0, Palette::System(enabled ? Palette::kButtonText : Palette::kGrayText));
}

}  // namespace

WindowPainter::WindowPainter(const TextMetrics& metrics, const formfile::RunningForm& form,
                             FrxPictures* pictures)
    : metrics_(metrics),
      form_(form),
      pictures_(pictures),
      border_style_(PropertyValues::Integer(form.Properties(), "BorderStyle", kSizable)),
      control_box_(Flag(form.Properties(), "ControlBox")),
      min_button_(Flag(form.Properties(), "MinButton")),
      max_button_(Flag(form.Properties(), "MaxButton")) {
  const PropertyList& properties = form.Properties();
  const bool tool = border_style_ == kFixedToolWindow || border_style_ == kSizableToolWindow;
  if (border_style_ != kNoBorder) {
    frame_ = border_style_ == kSizable || border_style_ == kSizableToolWindow ? kSizingFrame
                                                                              : kFixedFrame;
    // A window with nothing to show in its caption bar has none.
    const bool bare = form.Caption().empty() && !control_box_ && !min_button_ && !max_button_;
    if (!bare) caption_ = tool ? kToolCaptionHeight : kCaptionHeight;
  }
  for (const auto& control : form.Controls()) {
    if (IsMenu(*control) && Flag(control->properties, "Visible")) menus_.push_back(control.get());
  }
  if (!menus_.empty()) menu_ = kMenuHeight;
  const int around_height = 2 * frame_ + caption_ + menu_;
  if (auto client_width = PropertyValues::Number(properties, "ClientWidth")) {
    width_ = PropertyValues::Pixels(*client_width) + 2 * frame_;
    height_ = PropertyValues::PixelsOf(properties, "ClientHeight") + around_height;
  } else {
    width_ = PropertyValues::Pixels(
        PropertyValues::Number(properties, "Width").value_or(kDefaultWidthTwips));
    height_ = PropertyValues::Pixels(
        PropertyValues::Number(properties, "Height").value_or(kDefaultHeightTwips));
  }
  width_ = std::max(width_, 2 * frame_ + 1);
  height_ = std::max(height_, around_height + 1);
  client_ = {frame_, frame_ + caption_ + menu_, width_ - 2 * frame_, height_ - around_height};
}

void WindowPainter::Paint(Scene& scene) const {
  const Box window{0, 0, width_, height_};
  scene.Fill(window, Palette::System(Palette::kButtonFace));
  if (frame_ > 0) Bevels::Raised(scene, window);
  if (caption_ > 0) PaintCaptionBar(scene, {frame_, frame_, client_.width, caption_ - 1});
  if (menu_ > 0) PaintMenuBar(scene, {frame_, frame_ + caption_, client_.width, menu_});
}

void WindowPainter::PaintCaptionBar(Scene& scene, const Box& bar) const {
  scene.BeginGroup({"caption", "", bar});
  scene.Fill(bar, Palette::System(Palette::kActiveCaption));
  Font font;
  font.bold = true;
  font.size = 8;
  const int top = bar.y + (bar.height - metrics_.CellHeight(font)) / 2;
  // A window with a control box shows its system menu's icon first (a tool window has none).
  const bool tool = border_style_ == kFixedToolWindow || border_style_ == kSizableToolWindow;
  int text_x = bar.x + 3;
  if (control_box_ && !tool) {
    PaintIcon(scene,
              {bar.x + kIconMargin, bar.y + (bar.height - kIconSize) / 2, kIconSize, kIconSize});
    text_x += kIconMargin + kIconSize;
  }
  scene.Text(metrics_.Run(form_.Caption(), font, text_x, top,
                          Palette::System(Palette::kCaptionText), scene.Visible()));
  if (control_box_) PaintCaptionButtons(scene, bar);
  scene.EndGroup();
}

void WindowPainter::PaintIcon(Scene& scene, const Box& icon) const {
  if (pictures_ != nullptr) {
    if (auto picture = pictures_->Find(form_.Properties(), "Icon")) {
      scene.Picture(icon, std::move(picture));
      return;
    }
  }
  scene.Pixels({icon.x, icon.y}, kDefaultIcon,
               {Palette::System(Palette::kWindowText), Palette::System(Palette::kActiveCaption),
                Palette::System(Palette::kWindow)});
}

void WindowPainter::PaintCaptionButtons(Scene& scene, const Box& bar) const {
  const int height = bar.height - 4;
  const int width = height + 2;
  const int y = bar.y + 2;
  const int close_x = bar.x + bar.width - 2 - width;
  const bool tool = border_style_ == kFixedToolWindow || border_style_ == kSizableToolWindow;
  // Either of the two sizing buttons brings both, the one not asked for greyed.
  const bool sizing = !tool && (min_button_ || max_button_);
  const int maximise_x = close_x - 2 - width;
  const int minimise_x = maximise_x - width;
  for (int x : {minimise_x, maximise_x, close_x}) {
    if (x != close_x && !sizing) continue;
    const Box button{x, y, width, height};
    scene.Fill(button, Palette::System(Palette::kButtonFace));
    Bevels::Raised(scene, button);
  }
  if (sizing) {
    Glyph(min_button_, [&](int shift, Rgb ink) {
      scene.Fill({minimise_x + 4 + shift, y + 9 + shift, 6, 2}, ink);
    });
    Glyph(max_button_, [&](int shift, Rgb ink) {
      scene.Edge({maximise_x + 3 + shift, y + 2 + shift, 9, 9}, ink, ink);
      scene.Fill({maximise_x + 3 + shift, y + 3 + shift, 9, 1}, ink);
    });
  }
  const int left = close_x + 4;
  const int right = close_x + width - 4;
  const int top = y + 3;
  const int bottom = y + height - 4;
  const Rgb ink = Palette::System(Palette::kButtonText);
  scene.Polygon({{left, top}, {left + 2, top}, {right, bottom}, {right - 2, bottom}}, ink);
  scene.Polygon({{right - 2, top}, {right, top}, {left + 2, bottom}, {left, bottom}}, ink);
}

void WindowPainter::PaintMenuBar(Scene& scene, const Box& bar) const {
  scene.BeginGroup({"menu", "", bar});
  const Font font;
  const Rgb ink = Palette::System(Palette::kButtonText);
  const int top = bar.y + (bar.height - metrics_.CellHeight(font)) / 2;
  int x = bar.x;
  for (const RunningControl* menu : menus_) {
    const std::string caption = formfile::StringProperty(menu->properties, "Caption").value_or("");
    const std::string shown = TextMetrics::Shown(caption);
    const int text_x = x + kMenuItemPadding;
    const TextRun run = metrics_.Run(shown, font, text_x, top, ink, scene.Visible());
    // Windows 95 always underlines the access key of a menu.
    const std::optional<std::size_t> key = TextMetrics::AccessKey(caption);
    if (key && !run.text.empty()) {
      const std::string_view text(shown);
      scene.Fill({text_x + metrics_.Width(text.substr(0, *key), font), run.baseline + 1,
                  metrics_.Width(text.substr(*key, 1), font), 1},
                 ink);
    }
    scene.Text(run);
    x = text_x + metrics_.Width(shown, font) + kMenuItemPadding;
  }
  scene.EndGroup();
}

}  // namespace tavik::preview
