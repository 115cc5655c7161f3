// Property names kept once per process: properties and dictionaries point at them.
#pragma once

#include <cstdint>
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
  // One of 64 bits, chosen by the address of a shared copy: a set of names kept as a word
  // of bits says at once that a name is not among them.
  static std::uint64_t BitOf(const std::string& shared_name) {
    const auto address = reinterpret_cast<std::uintptr_t>(&shared_name);
    return std::uint64_t{1} << (((address >> 4) ^ (address >> 10)) & 63);
  }
};

}  // namespace tavik
