// Reading a lookup attribute's table, key and display column from its edit style.
#include "controls/lookup_source.h"

#include <algorithm>
#include <string_view>

#include "controls/option_handlers.h"
#include "model/attribute.h"
#include "model/sql_name.h"
#include "text/ascii_case.h"

namespace tavik {

namespace {

std::optional<std::string> EditStyleText(const CAttribute& attribute, std::string_view name) {
  auto value = attribute.GetTvkProperty(format_ids::kEditStyle, name);
  if (!HasText(value)) return std::nullopt;
  return value->Text();
}

bool NamesInteger(std::string_view type) {
  return text::AsciiUppered(type).find("INT") != std::string::npos;
}

}  // namespace

std::optional<LookupSource> LookupSource::Of(const CAttribute& attribute) {
  auto table = EditStyleText(attribute, "ESKTBL");
  auto own_name = TextProperty(&attribute, "PHYSICAL_NAME");
  if (!table || !own_name) return std::nullopt;
  LookupSource source;
  source.table = *table;
  source.key = EditStyleText(attribute, "ESKKEY").value_or(*own_name);
  source.display = EditStyleText(attribute, "ESKDSP").value_or(source.key);
  source.numeric_key = NamesInteger(TextProperty(&attribute, "CD_TYP").value_or(""));
  return source;
}

std::string LookupSource::SelectText() const {
  const std::string key_name = SqlName::Quoted(key);
  const std::string display_name = SqlName::Quoted(display);
  const std::string columns = key == display ? key_name : key_name + ", " + display_name;
  return "SELECT " + columns + " FROM " + SqlName::Quoted(table) + " ORDER BY " + display_name;
}

}  // namespace tavik
