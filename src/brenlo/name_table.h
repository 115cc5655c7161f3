// The names of a model's properties and groups, each kept once and known by a number.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <optional>
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
  struct Follower {
    const std::string* name = nullptr;  // null when nothing is guessed
    std::uint32_t number = 0;
  };
  // A model names the properties of attribute after attribute in the same order, so one of
  // the last two names that followed `previous` is nearly always the one given now (two,
  // since a group some attributes have and others lack makes the names after it alternate).
  // Guess answers it when it is, and when it is plain form text (IsPlainFormText), which as
  // given needs no check or conversion, or nullptr; Remember notes what did follow.
  // kNoName stands before the first name.
  // Inline: it runs for every key of the model.
  const Follower* Guess(std::uint32_t previous, std::string_view given) const {
    const std::uint32_t slot = previous + 1;  // kNoName wraps to slot 0
    if (slot >= followers_.size()) return nullptr;
    for (const Follower& follower : followers_[slot]) {
      if (follower.name != nullptr && SameText(*follower.name, given)) return &follower;
    }
    return nullptr;
  }
  void Remember(std::uint32_t previous, std::uint32_t number);
  static constexpr std::uint32_t kNoName = 0xFFFFFFFF;
  // The shared copy; it stays where it is while the table lives.
  const std::string& Name(std::uint32_t number) const { return names_[number]; }
  // The shared copy of a name, or nullptr when the table has none.
  const std::string* Find(std::string_view name) const;
  std::size_t size() const { return names_.size(); }

 private:
  // Names of 4 to 16 bytes, as nearly all are, compared as two overlapping words from each
  // end rather than through the library's comparison.
  static bool SameText(std::string_view kept, std::string_view given) {
    const std::size_t size = given.size();
    if (kept.size() != size) return false;
    if (size >= 8 && size <= 16) {
      return Word<std::uint64_t>(kept, 0) == Word<std::uint64_t>(given, 0) &&
             Word<std::uint64_t>(kept, size - 8) == Word<std::uint64_t>(given, size - 8);
    }
    if (size >= 4 && size < 8) {
      return Word<std::uint32_t>(kept, 0) == Word<std::uint32_t>(given, 0) &&
             Word<std::uint32_t>(kept, size - 4) == Word<std::uint32_t>(given, size - 4);
    }
    return kept == given;
  }
  template <typename Bits>
  static Bits Word(std::string_view text, std::size_t at) {
    Bits word = 0;
    std::memcpy(&word, text.data() + at, sizeof(word));
    return word;
  }

  std::deque<std::string> names_;  // a deque, so that growing moves no name
  std::unordered_map<std::string_view, std::uint32_t> numbers_;
  // By the previous name's number + 1 (0: kNoName), the latest first.
  std::vector<std::array<Follower, 2>> followers_;
};

}  // namespace tavik::brenlo
