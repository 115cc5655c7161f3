// Colours as forms give them: RGB values and the system colours of a Windows 95 desktop.
#include "preview/palette.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace tavik::preview {

namespace {

constexpr std::uint32_t kSystemBit = 0x80000000u;

// The 25 colours of the Windows 95 standard scheme, from scroll bar to tooltip background.
constexpr std::array<Rgb, 25> kStandardScheme{{
    {0xC0, 0xC0, 0xC0}, {0x00, 0x80, 0x80}, {0x00, 0x00, 0x80}, {0x80, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0}, {0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00}, {0x00, 0x00, 0x00},
    {0x00, 0x00, 0x00}, {0xFF, 0xFF, 0xFF}, {0xC0, 0xC0, 0xC0}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0x00, 0x00, 0x80}, {0xFF, 0xFF, 0xFF}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0x80, 0x80, 0x80}, {0x00, 0x00, 0x00}, {0xC0, 0xC0, 0xC0},
    {0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00}, {0xDF, 0xDF, 0xDF}, {0x00, 0x00, 0x00},
    {0xFF, 0xFF, 0xE1},
}};

std::optional<std::uint32_t> ParseValue(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  std::from_chars_result result{};
  if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    result = std::from_chars(text.data() + 2, end, value, 16);
  } else {
    result = std::from_chars(text.data(), end, value);
  }
  if (result.ec != std::errc()) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace

Rgb Palette::System(SystemColor color) {
  return kStandardScheme[color];
}

std::optional<Rgb> Palette::Parse(std::string_view text) {
  const std::optional<std::uint32_t> value = ParseValue(text);
  if (!value) return std::nullopt;
  if ((*value & kSystemBit) != 0) {
    const std::uint32_t index = *value & 0xFFu;
    if (index >= kStandardScheme.size()) return std::nullopt;
    return kStandardScheme[index];
  }
  return Rgb{static_cast<std::uint8_t>(*value & 0xFFu),
             static_cast<std::uint8_t>((*value >> 8) & 0xFFu),
             static_cast<std::uint8_t>((*value >> 16) & 0xFFu)};
}

Rgb Palette::Of(const formfile::PropertyList& properties, std::string_view name, Rgb fallback) {
  const formfile::FormProperty* property = formfile::FindProperty(properties, name);
  if (property == nullptr) return fallback;
  return Parse(property->text).value_or(fallback);
}

}  // namespace tavik::preview
