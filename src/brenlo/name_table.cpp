// The names of a model's properties and groups, each kept once and known by a number.
#include "brenlo/name_table.h"

namespace tavik::brenlo {

std::uint32_t NameTable::Intern(std::string_view name) {
  const auto found = numbers_.find(name);
  if (found != numbers_.end()) return found->second;
  const auto number = static_cast<std::uint32_t>(names_.size());
  numbers_.emplace(names_.emplace_back(name), number);
  return number;
}

}  // namespace tavik::brenlo
