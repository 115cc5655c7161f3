// The names of a model's properties and groups, each kept once and known by a number.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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
  // The same, trying first the name that followed `previous` when it was last given: a
  // model names the properties of attribute after attribute in the same order, so the
  // guess spares the hash nearly always. kNoName stands before the first name.
  std::uint32_t InternAfter(std::uint32_t previous, std::string_view name);
  static constexpr std::uint32_t kNoName = 0xFFFFFFFF;
  // The shared copy; it stays where it is while the table lives.
  const std::string& Name(std::uint32_t number) const { return names_[number]; }
  std::size_t size() const { return names_.size(); }

 private:
  std::deque<std::string> names_;  // a deque, so that growing moves no name
  std::unordered_map<std::string_view, std::uint32_t> numbers_;
  std::vector<std::uint32_t> guesses_;  // by the previous name's number + 1 (0: kNoName)
};

}  // namespace tavik::brenlo
