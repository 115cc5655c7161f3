// Joining a grid's looked-up tables so that a name shows beside each key.
#include "entity/grid_lookups.h"

#include <unordered_set>

#include "controls/option_handlers.h"
#include "model/attribute.h"
#include "model/entity.h"
#include "model/sql_name.h"
#include "text/ascii_case.h"

namespace tavik {

namespace {

// The engine's longest name.
constexpr std::size_t kLongestName = 64;

bool IsLookup(const CAttribute& attribute) {
  auto style = attribute.GetTvkProperty(format_ids::kEditStyle, "ES_TYP");
  return style && NumberOf(*style) == static_cast<long>(EditStyle::kLookup);
}

// A name not yet taken (compared in capitals, as the engine does), within the engine's
// length: "_2", "_3", ... added where the wanted one is taken.
std::string FreeName(std::string wanted, std::unordered_set<std::string>& taken) {
  wanted.resize(std::min(wanted.size(), kLongestName));
  std::string name = wanted;
  for (int number = 2; !taken.insert(text::AsciiUppered(name)).second; ++number) {
    const std::string suffix = "_" + std::to_string(number);
    name = wanted.substr(0, kLongestName - suffix.size()) + suffix;
  }
  return name;
}

}  // namespace

GridLookups::GridLookups(const CEntity& entity) {
  if (auto table = entity.GetProperty("PHYSICAL_NAME"); HasText(table)) table_ = table->Text();
  std::unordered_set<std::string> taken{text::AsciiUppered(table_)};
  std::vector<const CAttribute*> keys;
  for (const auto& attribute : entity.GetAttribList()) {
    auto column = TextProperty(attribute.get(), "PHYSICAL_NAME");
    if (!column) continue;
    columns_.push_back(*column);
    taken.insert(text::AsciiUppered(*column));
    if (!IsLookup(*attribute)) continue;
    auto source = LookupSource::Of(*attribute);
    if (source && source->display != source->key) keys.push_back(attribute.get());
  }
  for (const CAttribute* attribute : keys) {
    LookupSource source = *LookupSource::Of(*attribute);
    std::string key = *TextProperty(attribute, "PHYSICAL_NAME");
    by_key_.emplace(key, names_.size());
    table_aliases_.push_back(FreeName("lk" + std::to_string(names_.size() + 1), taken));
    std::string alias = FreeName(key + "_" + source.display, taken);
    std::string heading = source.table + " " + source.display;
    names_.push_back({std::move(key), std::move(alias), std::move(heading), std::move(source)});
  }
}

const GridLookups::NameColumn* GridLookups::NameOf(std::string_view key) const {
  auto found = by_key_.find(std::string(key));
  return found == by_key_.end() ? nullptr : &names_[found->second];
}

std::string GridLookups::ColumnName(std::string_view column) const {
  if (Empty()) return SqlName::Quoted(column);
  return SqlName::Quoted(table_) + "." + SqlName::Quoted(column);
}

// The engine joins two tables at a time: each join after the first encloses the ones
// before it in parentheses. A name that is Null shows as an empty text.
std::string GridLookups::SelectText() const {
  std::string columns;
  for (const std::string& column : columns_) {
    columns += (columns.empty() ? "" : ",") + ColumnName(column);
    if (const NameColumn* name = NameOf(column)) {
      const std::size_t at = static_cast<std::size_t>(name - names_.data());
      columns += "," + table_aliases_[at] + "." + SqlName::Quoted(name->source.display) +
                 " & '' AS " + SqlName::Quoted(name->alias);
    }
  }
  std::string from =
      std::string(names_.size() > 1 ? names_.size() - 1 : 0, '(') + SqlName::Quoted(table_);
  for (std::size_t at = 0; at < names_.size(); ++at) {
    const NameColumn& name = names_[at];
    if (at > 0) from += ")";
    const std::string& alias = table_aliases_[at];
    from += " LEFT JOIN " + SqlName::Quoted(name.source.table) + " AS " + alias + " ON " +
            ColumnName(name.key) + " = " + alias + "." + SqlName::Quoted(name.source.key);
  }
  return "SELECT " + columns + " FROM " + from;
}

}  // namespace tavik
