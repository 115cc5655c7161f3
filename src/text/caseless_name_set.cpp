// A set of names kept end to end in one text, found by open addressing.
#include "text/caseless_name_set.h"

#include <functional>

#include "text/ascii_case.h"

namespace tavik::text {

std::string_view CaselessNameSet::NameAt(std::size_t index) const {
  const std::size_t start = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(start, ends_[index] - start);
}

// The name is put in capitals where it would stay, and taken back when it was there already.
bool CaselessNameSet::Add(std::string_view name) {
  const std::size_t start = text_.size();
  text_ += name;
  // Folded through a pointer of its own, which the compiler need not read again per byte.
  char* const folded = text_.data() + start;
  for (std::size_t at = 0; at < name.size(); ++at) folded[at] = AsciiUpper(folded[at]);
  const std::string_view added = std::string_view(text_).substr(start);
  const std::uint64_t hash = std::hash<std::string_view>{}(added);
  if (2 * (ends_.size() + 1) > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
    const std::size_t index = slots_[slot] - 1;
    if (hashes_[index] == hash && NameAt(index) == added) {
      text_.resize(start);
      return false;
    }
  }
  slots_[slot] = static_cast<std::uint32_t>(ends_.size() + 1);
  ends_.push_back(static_cast<std::uint32_t>(text_.size()));
  hashes_.push_back(hash);
  return true;
}

void CaselessNameSet::Grow() {
  std::vector<std::uint32_t> slots(slots_.empty() ? 64 : slots_.size() * 2, 0);
  const std::size_t mask = slots.size() - 1;
  for (std::size_t index = 0; index < hashes_.size(); ++index) {
    std::size_t slot = hashes_[index] & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = static_cast<std::uint32_t>(index + 1);
  }
  slots_ = std::move(slots);
}

}  // namespace tavik::text
