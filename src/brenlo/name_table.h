// The names of a model's properties and groups, each kept once and known by a number.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tavik::brenlo {

// A model of thousands of attributes repeats a few dozen property names; every property
// points at the one copy here, which the BR_ functions hand out as it stands.
class NameTable {
 public:
  NameTable() = default;
  NameTable(const NameTable&) = delete;
  NameTable& operator=(const NameTable&) = delete;

  // The number of the name, added when new; numbers count up from 0.
  std::uint32_t Intern(std::string_view name);
  // The shared copy; it stays where it is while the table lives.
  const std::string& Name(std::uint32_t number) const { return names_[number]; }
  std::size_t size() const { return names_.size(); }

 private:
  std::deque<std::string> names_;  // a deque, so that growing moves no name
  std::unordered_map<std::string_view, std::uint32_t> numbers_;
};

}  // namespace tavik::brenlo
