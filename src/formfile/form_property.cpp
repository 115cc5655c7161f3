// Properties of forms and controls, and their exchange with the library as variants.
#include "formfile/form_property.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "text/ascii_case.h"

namespace tavik::formfile {

namespace {

bool IsDigits(std::string_view text, bool hexadecimal) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [&](char c) {
    return (c >= '0' && c <= '9') ||
           (hexadecimal && ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')));
  });
}

// Most numbers of a form are short whole numbers ("0", "-1", "12632256"): up to nine digits
// always make a Long, read here without the general conversions. Nothing for any other text.
std::optional<std::int32_t> ShortWholeNumber(std::string_view text) {
  const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  constexpr std::size_t kMostDigits = 9;
  if (text.size() == start || text.size() - start > kMostDigits) return std::nullopt;
  std::int32_t number = 0;
  for (char c : text.substr(start)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return start == 0 ? number : -number;
}

}  // namespace

std::optional<TVK_VARIANT> ParseNumber(std::string_view text) {
  TVK_VARIANT variant{};
  if (auto whole = ShortWholeNumber(text)) {
    variant.vt = TVK_VT_I4;
    variant.u.lVal = *whole;
    return variant;
  }
  if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    std::string_view digits = text.substr(2);
    if (digits.back() == '&') digits.remove_suffix(1);
    if (!IsDigits(digits, true) || digits.size() > 8) return std::nullopt;
    std::uint32_t bits = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
    variant.vt = TVK_VT_I4;
    variant.u.lVal = static_cast<std::int32_t>(bits);
    return variant;
  }
  std::string_view unsigned_part = (!text.empty() && text[0] == '-') ? text.substr(1) : text;
  if (IsDigits(unsigned_part, false)) {
    std::int64_t whole = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (error == std::errc() && end == text.data() + text.size()) {
      if (whole >= std::numeric_limits<std::int32_t>::min() &&
          whole <= std::numeric_limits<std::int32_t>::max()) {
        variant.vt = TVK_VT_I4;
        variant.u.lVal = static_cast<std::int32_t>(whole);
        return variant;
      }
      if (whole > 0 && whole <= std::numeric_limits<std::uint32_t>::max()) {
        variant.vt = TVK_VT_UI4;
        variant.u.ulVal = static_cast<std::uint32_t>(whole);
        return variant;
      }
    }
  }
  // A real: digits, one point and an exponent, nothing like "inf" or "nan".
  bool real_characters = std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+';
  });
  if (text.empty() || text[0] == '+' || !real_characters) return std::nullopt;
  float real = 0.0f;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), real);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  variant.vt = TVK_VT_R4;
  variant.u.fltVal = real;
  return variant;
}

bool SameName(std::string_view a, std::string_view b) {
  return text::SameAsciiName(a, b);
}

const FormProperty* FindProperty(const PropertyList& list, std::string_view name) {
  auto found = std::find_if(list.begin(), list.end(), [&](const FormProperty& property) {
    return SameName(property.name, name);
  });
  return found == list.end() ? nullptr : &*found;
}

void SetProperty(PropertyList& list, FormProperty property) {
  for (FormProperty& existing : list) {
    if (SameName(existing.name, property.name)) {
      existing.kind = property.kind;
      existing.text = std::move(property.text);
      return;
    }
  }
  list.push_back(std::move(property));
}

std::optional<std::string> StringProperty(const PropertyList& list, std::string_view name) {
  const FormProperty* property = FindProperty(list, name);
  if (!property || property->kind != PropertyKind::kString) return std::nullopt;
  return property->text.str();
}

FormProperty PropertyFromVariant(std::string_view name, const TVK_VARIANT& value) {
  FormProperty property{name, PropertyKind::kNumber, {}};
  switch (value.vt) {
    case TVK_VT_I2:
      property.text = fmt::format("{}", value.u.iVal);
      break;
    case TVK_VT_I4:
      property.text = fmt::format("{}", value.u.lVal);
      break;
    case TVK_VT_R4:
      // Lengths are whole twips on a form; the generator writes them the same way.
      property.text = fmt::format("{:.0f}", value.u.fltVal);
      break;
    case TVK_VT_BSTR:
      property.kind = PropertyKind::kString;
      property.text = value.u.bstrVal ? value.u.bstrVal : "";
      break;
    case TVK_VT_BOOL:
      property.kind = PropertyKind::kOther;
      property.text = value.u.boolVal != 0 ? "TRUE" : "FALSE";
      break;
    case TVK_VT_UI1:
      property.text = fmt::format("{}", value.u.bVal);
      break;
    case TVK_VT_UI4:
      property.text = fmt::format("{}", value.u.ulVal);
      break;
    case TVK_VT_EMPTY:
      property.kind = PropertyKind::kOther;
      property.text = "VT_EMPTY";
      break;
    default:
      property.kind = PropertyKind::kOther;
      break;
  }
  return property;
}

std::optional<TVK_VARIANT> PropertyToVariant(const FormProperty& property) {
  TVK_VARIANT variant{};
  switch (property.kind) {
    case PropertyKind::kResource:
      return std::nullopt;
    case PropertyKind::kNumber:
      if (auto number = ParseNumber(property.text)) return number;
      break;
    case PropertyKind::kOther:
      if (property.text == "TRUE" || property.text == "FALSE") {
        variant.vt = TVK_VT_BOOL;
        variant.u.boolVal = static_cast<std::int16_t>(property.text == "TRUE" ? -1 : 0);
        return variant;
      }
      break;
    case PropertyKind::kString:
      break;
  }
  variant.vt = TVK_VT_BSTR;
  variant.u.bstrVal = const_cast<char*>(property.text.c_str());
  return variant;
}

}  // namespace tavik::formfile
