// Colour names and their values (red in the low byte).
#include "controls/color_names.h"

#include <array>
#include <utility>

namespace tavik {

std::int32_t ColorFromName(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, std::int32_t>, 16> kColors = {{
      {"Black", 0x000000},
      {"Maroon", 0x000080},
      {"Green", 0x008000},
      {"Olive", 0x008080},
      {"Navy", 0x800000},
      {"Purple", 0x800080},
      {"Teal", 0x808000},
      {"Gray", 0x808080},
      {"Silver", 0xC0C0C0},
      {"Red", 0x0000FF},
      {"Lime", 0x00FF00},
      {"Yellow", 0x00FFFF},
      {"Blue", 0xFF0000},
      {"Fuschia", 0xFF00FF},  // the modelling tool's own spelling
      {"Aqua", 0xFFFF00},
      {"White", 0xFFFFFF},
  }};
  for (const auto& [color_name, value] : kColors) {
    if (color_name == name) return value;
  }
  return kNoColor;
}

}  // namespace tavik
