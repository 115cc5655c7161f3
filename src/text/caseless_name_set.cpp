// A set of names kept end to end in one text, found by open addressing.
#include "text/caseless_name_set.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "text/ascii_case.h"

namespace tavik::text {

std::string_view CaselessNameSet::NameAt(std::size_t index) const {
  const std::size_t start = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(start, ends_[index] - start);
}

void CaselessNameSet::AppendFolded(std::string_view name) {
  const std::size_t start = text_.size();
  text_ += name;
  // Folded through a pointer of its own, which the compiler need not read again per byte.
  char* const folded = text_.data() + start;
  for (std::size_t at = 0; at < name.size(); ++at) folded[at] = AsciiUpper(folded[at]);
}

// The name is put in capitals where it would stay, and taken back when it was there already.
bool CaselessNameSet::Add(std::string_view name) {
  Settle();
  const std::size_t start = text_.size();
  AppendFolded(name);
  if (!Enter(start, text_.size())) {
    text_.resize(start);
    return false;
  }
  ends_.push_back(static_cast<std::uint32_t>(text_.size()));
  return true;
}

void CaselessNameSet::AddUnsettled(std::string_view name) {
  AppendFolded(name);
  ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

// Whether the text from start to end is a name the settled ones do not hold; a new one is
// entered in the table as the next of them.
bool CaselessNameSet::Enter(std::size_t start, std::size_t end) const {
  const std::string_view name = std::string_view(text_).substr(start, end - start);
  const std::uint64_t hash = std::hash<std::string_view>{}(name);
  Grow(2 * (hashes_.size() + 1));
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
    const std::size_t index = slots_[slot] - 1;
    if (hashes_[index] == hash && NameAt(index) == name) return false;
  }
  slots_[slot] = static_cast<std::uint32_t>(hashes_.size() + 1);
  hashes_.push_back(hash);
  return true;
}

// The unsettled names are entered one after another, while the table is in the cache, and
// each new one is moved down to follow the last new one before it.
void CaselessNameSet::Settle() const {
  std::size_t settled = hashes_.size();
  if (settled == ends_.size()) return;
  // The table is made large enough for them all at once, not doubled again and again.
  Grow(2 * (ends_.size() + 1));
  hashes_.reserve(ends_.size());
  std::size_t read_start = settled == 0 ? 0 : ends_[settled - 1];
  for (std::size_t index = settled; index < ends_.size(); ++index) {
    const std::size_t size = ends_[index] - read_start;
    const std::size_t write_start = settled == 0 ? 0 : ends_[settled - 1];
    if (write_start != read_start) {
      std::memmove(text_.data() + write_start, text_.data() + read_start, size);
    }
    read_start = ends_[index];
    if (!Enter(write_start, write_start + size)) continue;
    ends_[settled++] = static_cast<std::uint32_t>(write_start + size);
  }
  ends_.resize(settled);
  text_.resize(settled == 0 ? 0 : ends_[settled - 1]);
}

void CaselessNameSet::Grow(std::size_t at_least) const {
  if (slots_.size() >= at_least) return;
  std::size_t size = std::max<std::size_t>(64, slots_.size() * 2);
  while (size < at_least) size *= 2;
  std::vector<std::uint32_t> slots(size, 0);
  const std::size_t mask = slots.size() - 1;
  for (std::size_t index = 0; index < hashes_.size(); ++index) {
    std::size_t slot = hashes_[index] & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = static_cast<std::uint32_t>(index + 1);
  }
  slots_ = std::move(slots);
}

}  // namespace tavik::text
