// The numbers, flags and pixel sizes that form and control properties hold as text.
#include "preview/property_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavik::preview {

namespace {

constexpr double kTwipsPerPixel = 15.0;
// A form file may say anything; numbers beyond this are held at it so that every integer
// made from one, and the sum of a few, stays within an int.
constexpr double kLargestNumber = 1e9;

}  // namespace

std::optional<double> PropertyValues::Number(const formfile::PropertyList& properties,
                                             std::string_view name) {
  const formfile::FormProperty* property = formfile::FindProperty(properties, name);
  if (property == nullptr) return std::nullopt;
  std::string_view text = property->text;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (formfile::SameName(text.substr(0, 4), "True")) return -1.0;
  if (formfile::SameName(text.substr(0, 5), "False")) return 0.0;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return std::clamp(value, -kLargestNumber, kLargestNumber);
}

int PropertyValues::Integer(const formfile::PropertyList& properties, std::string_view name,
                            int fallback) {
  const std::optional<double> value = Number(properties, name);
  return value ? static_cast<int>(*value) : fallback;
}

int PropertyValues::Pixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

int PropertyValues::PixelsOf(const formfile::PropertyList& properties, std::string_view name) {
  return Pixels(Number(properties, name).value_or(0.0));
}

}  // namespace tavik::preview
