// The boxes a drawing's groups carry, for tests that find controls in a picture.
#pragma once

#include <array>
#include <regex>
#include <string>

namespace tavik::testing {

// The box a control's group carries in the drawing: x, y, width, height; all -1 when the
// control is not drawn.
inline std::array<int, 4> BoxIn(const std::string& svg, const std::string& name) {
  std::smatch match;
  const std::regex group("data-name=\"" + name +
                         "\" data-class=\"[^\"]*\" data-box=\"(-?\\d+) "
                         "(-?\\d+) (\\d+) (\\d+)\"");
  if (!std::regex_search(svg, match, group)) return {-1, -1, -1, -1};
  return {std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3]), std::stoi(match[4])};
}

}  // namespace tavik::testing
