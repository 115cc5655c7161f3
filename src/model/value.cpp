// Variant values and their text.
#include "model/value.h"

#include <array>
#include <charconv>
#include <cstring>

namespace tavik {

Value Value::Single(float value) {
  Value result(TVK_VT_R4, 0);
  result.single_ = value;
  return result;
}

Value Value::String(std::string text) {
  Value result(TVK_VT_BSTR, 0);
  result.text_ = std::move(text);
  return result;
}

namespace {
constexpr std::size_t kBlockLengthSize = sizeof(std::uint32_t);
}  // namespace

Value Value::Blob(std::string_view bytes) {
  Value result(TVK_VT_BLOB, 0);
  const auto length = static_cast<std::uint32_t>(bytes.size());
  result.text_.resize(kBlockLengthSize);
  std::memcpy(result.text_.data(), &length, kBlockLengthSize);
  result.text_ += bytes;
  return result;
}

std::string_view Value::AsBytes() const {
  if (type_ != TVK_VT_BLOB) return {};
  return std::string_view(text_).substr(kBlockLengthSize);
}

Value Value::FromVariant(const TVK_VARIANT& variant) {
  switch (variant.vt) {
    case TVK_VT_I2:
      return Short(variant.u.iVal);
    case TVK_VT_I4:
      return Long(variant.u.lVal);
    case TVK_VT_R4:
      return Single(variant.u.fltVal);
    case TVK_VT_BSTR:
      return String(variant.u.bstrVal ? variant.u.bstrVal : "");
    case TVK_VT_BOOL:
      return Boolean(variant.u.boolVal != 0);
    case TVK_VT_UI1:
      return Byte(variant.u.bVal);
    case TVK_VT_UI4:
      return ULong(variant.u.ulVal);
    case TVK_VT_BLOB: {
      if (!variant.u.byref) return Blob({});
      std::uint32_t length = 0;
      std::memcpy(&length, variant.u.byref, kBlockLengthSize);
      return Blob({static_cast<const char*>(variant.u.byref) + kBlockLengthSize, length});
    }
    default:
      return Value();
  }
}

std::int64_t Value::AsInteger() const {
  if (type_ == TVK_VT_R4) return static_cast<std::int64_t>(single_);
  return integer_;
}

float Value::AsSingle() const {
  if (type_ == TVK_VT_R4) return single_;
  return static_cast<float>(integer_);
}

std::string Value::Text() const {
  std::string text;
  AppendText(text);
  return text;
}

namespace {
// Numbers go straight into the text: every property line of a form writes one, and a
// format pattern parsed for each costs more than the rest of the line.
template <typename Number, typename... Style>
void AppendNumber(std::string& text, Number number, Style... style) {
  std::array<char, 64> digits{};
  auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number, style...).ptr;
  text.append(digits.data(), end);
}
}  // namespace

void Value::AppendText(std::string& text) const {
  switch (type_) {
    case TVK_VT_EMPTY:
      text += "VT_EMPTY";
      break;
    case TVK_VT_I2:
    case TVK_VT_I4:
      AppendNumber(text, integer_);
      break;
    case TVK_VT_R4:
      // Fixed with no decimals rounds the exact value half to even, as "%.0f" does.
      AppendNumber(text, single_, std::chars_format::fixed, 0);
      break;
    case TVK_VT_BSTR:
      text += text_;
      break;
    case TVK_VT_BOOL:
      text += integer_ != 0 ? "TRUE" : "FALSE";
      break;
    case TVK_VT_UI1:
    case TVK_VT_UI4:
      AppendNumber(text, static_cast<std::uint64_t>(integer_));
      break;
    default:
      break;
  }
}

TVK_VARIANT Value::ToVariant() const {
  TVK_VARIANT variant{};
  variant.vt = type_;
  switch (type_) {
    case TVK_VT_I2:
    case TVK_VT_BOOL:
      variant.u.iVal = static_cast<std::int16_t>(integer_);
      break;
    case TVK_VT_I4:
      variant.u.lVal = static_cast<std::int32_t>(integer_);
      break;
    case TVK_VT_R4:
      variant.u.fltVal = single_;
      break;
    case TVK_VT_BSTR:
      variant.u.bstrVal = const_cast<char*>(text_.c_str());
      break;
    case TVK_VT_UI1:
      variant.u.bVal = static_cast<std::uint8_t>(integer_);
      break;
    case TVK_VT_UI4:
      variant.u.ulVal = static_cast<std::uint32_t>(integer_);
      break;
    case TVK_VT_BLOB:
      variant.u.byref = const_cast<char*>(text_.data());
      break;
    default:
      break;
  }
  return variant;
}

std::string VariantTypeName(std::uint16_t type) {
  static constexpr std::array<const char*, 32> kLow = {
      "Void",   "Null",    "Integer", "Long",      "Single",  "Double",      "Currency", "Date",
      "String", "Object",  "SCODE",   "Boolean",   "Variant", "pIUnknown",   "Unicode",  "",
      "BYTE",   "char",    "USHORT",  "ULONG",     "int64",   "uint64",      "int",      "UINT",
      "VOID",   "HRESULT", "PTR",     "SAFEARRAY", "CARRAY",  "USERDEFINED", "LPSTR",    "LPWSTR"};
  static constexpr std::array<const char*, 9> kHigh = {
      "FILETIME",      "BLOB",        "STREAM", "STORAGE", "STREAMED_OBJECT",
      "STORED_OBJECT", "BLOB_OBJECT", "CF",     "CLSID"};
  if (type < kLow.size()) return kLow[type];
  if (type < 64) return "";
  if (type <= 72) return kHigh[type - 64];
  return "Unknown variant type";
}

}  // namespace tavik
