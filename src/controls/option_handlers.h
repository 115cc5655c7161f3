// What the controls' option handlers share: reading a model option, which may come as a
// number or as its text, and writing it as a control property.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "controls/ctrl_desc.h"

namespace tavik {

class CAttribute;

// The number an option holds; a text counts by its leading decimal digits.
long NumberOf(const Value& value);
// Whether the option is there and holds the number.
bool IsNumber(const std::optional<Value>& value, long number);
bool IsNumber(const Value* value, long number);
// The attribute's non-empty text property, or none.
std::optional<std::string> TextProperty(const CAttribute* attribute, std::string_view name);
// The same by a name held as a constant, without a copy: a text is seen where the attribute
// holds it (until the attribute gets another property), a number's text is made in
// number_text.
std::optional<std::string_view> TextPropertyView(const CAttribute* attribute,
                                                 const SharedPropertyName& name,
                                                 std::string& number_text);
// The attribute's column name, which every bound control reads.
inline constinit SharedPropertyName kPhysicalName{"PHYSICAL_NAME"};

// The number as a short property.
[[nodiscard]] Status AddShort(CCtrlDesc& control, long value, std::string_view name);
// The option as the property, when it is a positive number below the limit.
[[nodiscard]] Status AddPositive(CCtrlDesc& control, const std::optional<Value>& value, long limit,
                                 std::string_view name);
// A character property: a one-character text is the character itself, anything else its
// character code; code 0 writes an empty text.
[[nodiscard]] Status AddCharacter(CCtrlDesc& control, const std::optional<Value>& value,
                                  std::string_view name);

// A property name fixed at compile time, so that one handler template serves many options.
template <std::size_t kSize>
struct PropertyName {
  // NOLINTNEXTLINE(google-explicit-constructor): written as a plain literal in the tables.
  constexpr PropertyName(const char (&text)[kSize]) { std::copy_n(text, kSize, name); }
  constexpr std::string_view View() const { return {name, kSize - 1}; }
  char name[kSize];
};

// Handlers for the option tables.
// A positive number below the limit.
template <PropertyName kName, long kLimit>
Status PositiveOption(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddPositive(control, value, kLimit, kName.View());
}
// Written only to turn a feature off: 0 when the option is 0.
template <PropertyName kName>
Status OffOption(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsNumber(value, 0)) return kOk;
  return AddShort(control, 0, kName.View());
}
// Always written: True for 1, False otherwise.
template <PropertyName kName>
Status SwitchOption(CCtrlDesc& control, const std::optional<Value>& value) {
  return AddShort(control, IsNumber(value, 1) ? -1 : 0, kName.View());
}

}  // namespace tavik
