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

std::uint32_t NameTable::InternAfter(std::uint32_t previous, std::string_view name) {
  const std::uint32_t slot = previous + 1;  // kNoName wraps to slot 0
  if (slot < guesses_.size()) {
    const std::uint32_t guess = guesses_[slot];
    if (guess < names_.size() && names_[guess] == name) return guess;
  }
  const std::uint32_t number = Intern(name);
  if (slot >= guesses_.size()) guesses_.resize(std::size_t{slot} + 1, kNoName);
  guesses_[slot] = number;
  return number;
}

}  // namespace tavik::brenlo
