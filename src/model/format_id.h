// The 16-byte format identifiers that name property sections.
#pragma once

#include <array>
#include <cstdint>

namespace tavik {

struct FormatId {
  std::array<std::uint8_t, 16> bytes{};
  bool operator==(const FormatId&) const = default;
};

// {FC9DEBE0-F357-101B-81D4-0000C01CA9xx}: the family of every section the system names,
// told apart by the last byte. Note the byte order of the first three fields.
constexpr FormatId TavikFormatId(std::uint8_t last_byte) {
  return FormatId{{0xE0, 0xEB, 0x9D, 0xFC, 0x57, 0xF3, 0x1B, 0x10, 0x81, 0xD4, 0x00, 0x00, 0xC0,
                   0x1C, 0xA9, last_byte}};
}

namespace format_ids {
inline constexpr FormatId kControl = TavikFormatId(0x8C);  // a control's or the form's own
inline constexpr FormatId kColProp = TavikFormatId(0x8D);
inline constexpr FormatId kEditStyle = TavikFormatId(0x8F);
inline constexpr FormatId kValidValues = TavikFormatId(0x90);
inline constexpr FormatId kEntity = TavikFormatId(0x92);
inline constexpr FormatId kAttribute = TavikFormatId(0x93);
inline constexpr FormatId kRelation = TavikFormatId(0x94);
inline constexpr FormatId kEntitySet = TavikFormatId(0x95);
}  // namespace format_ids

}  // namespace tavik
