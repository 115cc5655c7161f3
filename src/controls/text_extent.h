// Measures a text in a font on the screen in force, in twips.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/status.h"

namespace tavik {

Status MeasureTextExtent(std::string_view text, std::string_view font_name, float font_size,
                         std::uint16_t& width, std::uint16_t& height);

}  // namespace tavik
