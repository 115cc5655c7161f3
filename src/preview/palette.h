// Colours as forms give them: RGB values and the system colours of a Windows 95 desktop.
#pragma once

#include <optional>
#include <string_view>

#include "formfile/form_property.h"
#include "preview/scene.h"

namespace tavik::preview {

class Palette {
 public:
  // The system colours of the standard Windows 95 scheme, by their index.
  enum SystemColor {
    kScrollBar = 0,
    kDesktop = 1,
    kActiveCaption = 2,
    kWindow = 5,
    kWindowFrame = 6,
    kWindowText = 8,
    kCaptionText = 9,
    kHighlight = 13,
    kHighlightText = 14,
    kButtonFace = 15,
    kButtonShadow = 16,
    kGrayText = 17,
    kButtonText = 18,
    kButtonHighlight = 20,
    kDarkShadow = 21,
    kLight = 22,
  };

  static Rgb System(SystemColor color);
  // A colour value as a form file writes it ("12632256", "&H00C0C0C0&", "-2147483633",
  // "&H8000000F&"): a value with the top bit set names a system colour by its low byte, any
  // other holds blue, green and red from high byte to low. Nothing for other text.
  static std::optional<Rgb> Parse(std::string_view text);
  // The colour of a property, or the fallback when the control has none or it cannot be read.
  static Rgb Of(const formfile::PropertyList& properties, std::string_view name, Rgb fallback);
};

}  // namespace tavik::preview
