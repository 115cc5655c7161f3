// Reading model options and writing them as control properties.
#include "controls/option_handlers.h"

#include <cstdint>
#include <cstdlib>

#include "model/attribute.h"

namespace tavik {

long NumberOf(const Value& value) {
  if (value.IsString()) return std::strtol(value.AsCString(), nullptr, 10);
  return static_cast<long>(value.AsInteger());
}

bool IsNumber(const std::optional<Value>& value, long number) {
  return value && NumberOf(*value) == number;
}

bool IsNumber(const Value* value, long number) {
  return value && NumberOf(*value) == number;
}

// Read in place: an empty value, which a variant copy cannot carry, counts as none.
std::optional<std::string> TextProperty(const CAttribute* attribute, std::string_view name) {
  const Value* value = attribute ? attribute->FindProperty(name) : nullptr;
  if (!value || value->IsEmpty() || !value->HasText()) return std::nullopt;
  return value->Text();
}

std::optional<std::string_view> TextPropertyView(const CAttribute* attribute,
                                                 const SharedPropertyName& name,
                                                 std::string& number_text) {
  const Value* value = attribute ? attribute->FindPropertyOfShared(name.Shared()) : nullptr;
  if (!value || value->IsEmpty() || !value->HasText()) return std::nullopt;
  if (value->IsString()) return value->AsString();
  number_text = value->Text();
  return number_text;
}

Status AddShort(CCtrlDesc& control, long value, std::string_view name) {
  return control.AddProperty(Value::Short(static_cast<std::int16_t>(value)), name);
}

Status AddPositive(CCtrlDesc& control, const std::optional<Value>& value, long limit,
                   std::string_view name) {
  if (!value) return kOk;
  long number = NumberOf(*value);
  if (number <= 0 || number >= limit) return kOk;
  return AddShort(control, number, name);
}

Status AddCharacter(CCtrlDesc& control, const std::optional<Value>& value, std::string_view name) {
  if (!value) return kOk;
  char character = 0;
  if (value->IsString() && value->AsString().size() == 1) {
    character = value->AsString()[0];
  } else {
    character = static_cast<char>(NumberOf(*value));
  }
  std::string text = character == '\0' ? std::string() : std::string(1, character);
  return control.AddProperty(Value::String(std::move(text)), name);
}

}  // namespace tavik
