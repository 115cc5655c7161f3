// Property names kept once per process: properties and dictionaries point at them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tavik {

// A form holds a few hundred thousand properties whose names come from a vocabulary of a
// few hundred ("Caption", "DataField", the model's group properties); each property and
// each dictionary entry pointing at one shared copy saves a string per entry. Names are
// never released, so the set only grows with the distinct names a process meets.
class PropertyNames {
 public:
  // The process's copy of the name; the reference stays valid until the process ends.
  static const std::string& Intern(std::string_view name);
  // Whether the shared copy (or any known name) reads as name. Inline, and for names of 4 to
  // 16 bytes, as nearly all are, two overlapping words from each end: it runs for every
  // property read.
  static bool SameName(std::string_view shared_name, std::string_view name) {
    const std::size_t size = name.size();
    if (shared_name.size() != size) return false;
    if (size >= 8 && size <= 16) {
      return Word<std::uint64_t>(shared_name.data()) == Word<std::uint64_t>(name.data()) &&
             Word<std::uint64_t>(shared_name.data() + size - 8) ==
                 Word<std::uint64_t>(name.data() + size - 8);
    }
    if (size >= 4 && size < 8) {
      return Word<std::uint32_t>(shared_name.data()) == Word<std::uint32_t>(name.data()) &&
             Word<std::uint32_t>(shared_name.data() + size - 4) ==
                 Word<std::uint32_t>(name.data() + size - 4);
    }
    return std::string_view(shared_name) == name;
  }
  // One of 64 bits, chosen by the address of a shared copy: a set of names kept as a word
  // of bits says at once that a name is not among them.
  static std::uint64_t BitOf(const std::string& shared_name) {
    const auto address = reinterpret_cast<std::uintptr_t>(&shared_name);
    return std::uint64_t{1} << (((address >> 4) ^ (address >> 10)) & 63);
  }

 private:
  template <typename Bits>
  static Bits Word(const char* at) {
    Bits word = 0;
    std::memcpy(&word, at, sizeof(word));
    return word;
  }
};

}  // namespace tavik
