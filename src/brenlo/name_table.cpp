// The names of a model's properties and groups, each kept once and known by a number.
#include "brenlo/name_table.h"

#include "text/windows1252.h"

namespace tavik::brenlo {

std::uint32_t NameTable::Intern(std::string_view name) {
  const auto found = numbers_.find(name);
  if (found != numbers_.end()) return found->second;
  const auto number = static_cast<std::uint32_t>(names_.size());
  numbers_.emplace(names_.emplace_back(name), number);
  return number;
}

// Only a name that reads the same as given and as kept can be guessed: the text given
// is compared with the kept one before any conversion.
void NameTable::Remember(std::uint32_t previous, std::uint32_t number) {
  const std::uint32_t slot = previous + 1;
  if (slot >= followers_.size()) followers_.resize(std::size_t{slot} + 1);
  const std::string& name = names_[number];
  std::array<Follower, 2>& latest = followers_[slot];
  latest[1] = latest[0];
  latest[0] = {text::IsPlainFormText(name) ? &name : nullptr, number};
}

const std::string* NameTable::Find(std::string_view name) const {
  const auto found = numbers_.find(name);
  return found == numbers_.end() ? nullptr : &names_[found->second];
}

}  // namespace tavik::brenlo
