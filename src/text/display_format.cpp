// What kind of value a display format shows.
#include "text/display_format.h"

#include <array>

#include "text/ascii_case.h"

namespace tavik::text {

namespace {

constexpr std::array<std::string_view, 10> kNamedNumberFormats = {
    "general number", "currency",   "euro",   "fixed",      "standard",
    "percent",        "scientific", "yes/no", "true/false", "on/off"};

}  // namespace

bool DisplayFormat::ShowsNumber(std::string_view format) {
  const std::string named = AsciiLowered(format);
  for (std::string_view number_format : kNamedNumberFormats) {
    if (named == number_format) return true;
  }
  bool quoted = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (c == '\\') {
      ++i;  // the next character is shown as it is
    } else if (c == ';') {
      return false;  // the first section decides
    } else if (c == '0' || c == '#') {
      return true;
    }
  }
  return false;
}

}  // namespace tavik::text
