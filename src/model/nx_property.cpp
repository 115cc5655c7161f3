// Typed properties: their ids, values, copies and text.
#include "model/nx_property.h"

#include "model/property_names.h"

namespace tavik {

namespace {
bool IsCopyable(std::uint16_t type) {
  switch (type) {
    case TVK_VT_I2:
    case TVK_VT_I4:
    case TVK_VT_R4:
    case TVK_VT_BSTR:
    case TVK_VT_BOOL:
    case TVK_VT_UI1:
    case TVK_VT_UI4:
    case TVK_VT_BLOB:
      return true;
    default:
      return false;
  }
}
}  // namespace

CNxProperty::CNxProperty(std::int32_t id, Value value, std::string_view name)
    : CNxProperty(id, std::move(value), &PropertyNames::Intern(name)) {}

bool CNxProperty::Set(std::int32_t id, Value value) {
  if (IsReservedId(id) || IsReservedId(id_)) return false;
  id_ = id;
  value_ = std::move(value);
  return true;
}

std::optional<Value> CNxProperty::ToVariant() const {
  if (!IsCopyable(value_.type())) return std::nullopt;
  return value_;
}

std::string CNxProperty::GetText() const {
  std::string text;
  AppendText(text);
  return text;
}

void CNxProperty::AppendText(std::string& text) const {
  if (IsCopyable(value_.type())) value_.AppendText(text);
}

PropertyInfo CNxProperty::GetInfo() const {
  PropertyInfo info;
  info.name = *name_;
  if (!ToVariant()) return info;
  info.text = GetText();
  info.type_name = VariantTypeName(value_.type());
  info.type_code = value_.type();
  info.known = true;
  return info;
}

}  // namespace tavik
