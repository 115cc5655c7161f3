// A set of names kept end to end in one text, found by open addressing.
#include "text/caseless_name_set.h"

#include <algorithm>
#include <cstring>

#include "text/ascii_case.h"

namespace tavik::text {

std::string_view CaselessNameSet::NameAt(std::size_t index) const {
  const std::size_t start = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(start, ends_[index] - start);
}

namespace {

// The eight letters of a word in capitals: a byte from 'a' to 'z' loses its 0x20, any other
// byte (a byte above 127 too) stays.
std::uint64_t UpperWord(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  const std::uint64_t low_seven = word & ~kHighBits;
  const std::uint64_t from_a = low_seven + (0x80 - 'a') * kOnes;      // high bit: at least 'a'
  const std::uint64_t past_z = low_seven + (0x80 - 'z' - 1) * kOnes;  // high bit: past 'z'
  const std::uint64_t lower = from_a & ~past_z & ~word & kHighBits;
  return word ^ (lower >> 2);
}

// Every bit of the hash moved into the low ones, which pick a name's slot.
std::uint64_t Finished(std::uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCD;
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53;
  return hash ^ (hash >> 33);
}

// A name's hash from its words, the last ending where the name ends: names are short, and a
// general hash of bytes costs several times more.
std::uint64_t NameHash(std::string_view name) {
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15;
  constexpr std::size_t kWord = sizeof(std::uint64_t);
  std::uint64_t hash = name.size();
  const auto mix = [&hash](std::uint64_t word) { hash = (hash ^ word) * kMultiplier; };
  std::uint64_t word = 0;
  if (name.size() < kWord) {
    if (!name.empty()) std::memcpy(&word, name.data(), name.size());
    mix(word);
    return Finished(hash);
  }
  for (std::size_t at = 0; at + kWord < name.size(); at += kWord) {
    std::memcpy(&word, name.data() + at, kWord);
    mix(word);
  }
  std::memcpy(&word, name.data() + name.size() - kWord, kWord);
  mix(word);
  return Finished(hash);
}

}  // namespace

// Folded a word at a time, the last word ending where the name ends (a byte folded twice
// stays folded): every control name of a form passes here, once or twice.
void CaselessNameSet::AppendFolded(std::string_view name) {
  const std::size_t start = text_.size();
  text_ += name;
  // Folded through a pointer of its own, which the compiler need not read again per byte.
  char* const folded = text_.data() + start;
  constexpr std::size_t kWord = sizeof(std::uint64_t);
  if (name.size() < kWord) {
    for (std::size_t at = 0; at < name.size(); ++at) folded[at] = AsciiUpper(folded[at]);
    return;
  }
  const auto fold_word_at = [folded](std::size_t at) {
    std::uint64_t word = 0;
    std::memcpy(&word, folded + at, kWord);
    word = UpperWord(word);
    std::memcpy(folded + at, &word, kWord);
  };
  for (std::size_t at = 0; at + kWord < name.size(); at += kWord) fold_word_at(at);
  fold_word_at(name.size() - kWord);
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
  const std::uint64_t hash = NameHash(name);
  // Asked here, so that the many entries that find room make no call.
  if (const std::size_t wanted = 2 * (hashes_.size() + 1); slots_.size() < wanted) Grow(wanted);
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
