// The numbers, flags and pixel sizes that form and control properties hold as text.
#pragma once

#include <optional>
#include <string_view>

#include "formfile/form_property.h"

namespace tavik::preview {

class PropertyValues {
 public:
  // The number a property starts with ("8.25", "-1  'True" as later files write it); True
  // and False in words are -1 and 0. Nothing when the property is missing or holds no number
  // (infinities and NaN included); a number beyond a billion either way is held at a billion.
  static std::optional<double> Number(const formfile::PropertyList& properties,
                                      std::string_view name);
  static int Integer(const formfile::PropertyList& properties, std::string_view name, int fallback);
  // Twips to pixels at 96 pixels per inch, 15 twips to a pixel, rounded.
  static int Pixels(double twips);
  static int PixelsOf(const formfile::PropertyList& properties, std::string_view name);
};

}  // namespace tavik::preview
