// A property of a form or control as a form file holds it, and its exchange as a variant.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formfile/property_comment.h"
#include "formfile/property_text.h"
#include "tavikfw/variant.h"

namespace tavik::formfile {

enum class PropertyKind : std::uint8_t {
  kString,    // written in double quotes
  kNumber,    // decimal, real or &H hexadecimal
  kResource,  // binary data kept beside the form ("FORM1.FRX":0000)
  kOther      // any other bare word, kept as written
};

// 41 bytes: the reader holds one for every property line of a form.
struct FormProperty {
  PropertyText name;
  PropertyKind kind = PropertyKind::kString;
  // A string's characters without the quotes; any other value exactly as written.
  PropertyText text;
  // What followed the value on its line, blanks included ("   'False"): kept as written.
  PropertyComment comment = {};

  bool operator==(const FormProperty&) const = default;
};

using PropertyList = std::vector<FormProperty>;

// Property names are compared as Visual Basic compares them, without regard to case.
bool SameName(std::string_view a, std::string_view b);
const FormProperty* FindProperty(const PropertyList& list, std::string_view name);
// A new name goes to the end; a known one gets the new value in its old place.
void SetProperty(PropertyList& list, FormProperty property);
// The text of a string property, or nothing.
std::optional<std::string> StringProperty(const PropertyList& list, std::string_view name);

// The variant of a number as a form file writes it: a whole number (Long, or unsigned
// Long above its range), a real (Single), or &H hexadecimal with an optional closing "&"
// (Long). Nothing when the text is not one of these.
std::optional<TVK_VARIANT> ParseNumber(std::string_view text);

// The property a variant value gives, with the text the form file shows for it.
FormProperty PropertyFromVariant(std::string_view name, const TVK_VARIANT& value);
// The variant that describes the property to the library; a string points into the
// property's text. Nothing for a value the library cannot hold (resources).
std::optional<TVK_VARIANT> PropertyToVariant(const FormProperty& property);

}  // namespace tavik::formfile
