// A set of names told apart without regard to case, as Visual Basic tells its names apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::text {

// A form of a thousand tables names tens of thousands of controls and procedures: the names
// lie end to end in one text, in capitals, and a table of their places finds them, so adding
// one makes no allocation of its own and a look-up touches two arrays, not a node per name.
class CaselessNameSet {
 public:
  class Iterator;

  // Adds the name in capitals unless it is there already; whether it was new.
  bool Add(std::string_view name);
  // Adds the name without asking whether it is there: a printer counting its controls need
  // not know at once, and the names met again are dropped in one pass when the set is next
  // asked, the table in the cache, where a look-up per name would find it gone each time.
  void AddUnsettled(std::string_view name);
  std::size_t size() const {
    Settle();
    return ends_.size();
  }
  bool empty() const { return size() == 0; }
  // The names in the order first added, in capitals.
  Iterator begin() const;
  Iterator end() const;

 private:
  std::string_view NameAt(std::size_t index) const;
  void AppendFolded(std::string_view name);
  bool Enter(std::size_t start, std::size_t end) const;
  void Settle() const;
  // Makes the table at least at_least slots long, doubling it as often as that takes.
  void Grow(std::size_t at_least) const;

  // Settled when asked: what the set holds does not change, only how it is kept.
  mutable std::string text_;                   // the names end to end
  mutable std::vector<std::uint32_t> ends_;    // where each name ends in text_
  mutable std::vector<std::uint64_t> hashes_;  // of the settled names, the first of ends_
  mutable std::vector<std::uint32_t> slots_;   // a name's index + 1, or 0; a power of two long
};

class CaselessNameSet::Iterator {
 public:
  using value_type = std::string_view;
  using difference_type = std::ptrdiff_t;
  using reference = std::string_view;
  using pointer = void;
  using iterator_category = std::input_iterator_tag;

  Iterator(const CaselessNameSet& set, std::size_t index) : set_(&set), index_(index) {}
  std::string_view operator*() const { return set_->NameAt(index_); }
  Iterator& operator++() {
    ++index_;
    return *this;
  }
  bool operator==(const Iterator& other) const { return index_ == other.index_; }

 private:
  const CaselessNameSet* set_;
  std::size_t index_;
};

inline CaselessNameSet::Iterator CaselessNameSet::begin() const {
  return Iterator(*this, 0);
}
inline CaselessNameSet::Iterator CaselessNameSet::end() const {
  return Iterator(*this, size());
}

}  // namespace tavik::text
