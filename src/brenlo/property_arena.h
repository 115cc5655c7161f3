// The properties of all a loaded model's lists, side by side in blocks that never move.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "brenlo/property_list.h"

namespace tavik::brenlo {

// A model of thousands of attributes holds a hundred thousand properties in ten thousand
// short lists: a vector each took an allocation or more per list, and its growth copied
// what it held. A model is read list after list, so the list being filled is nearly always
// the last in the newest block and grows in place.
class PropertyArena {
 public:
  using Property = PropertyList::Property;

  PropertyArena() = default;
  PropertyArena(const PropertyArena&) = delete;
  PropertyArena& operator=(const PropertyArena&) = delete;

  // group: the name of the property's group, a shared copy. text: a copy the model keeps,
  // ended by a zero (TextStore). Inline, as the next: they run for every property of the
  // model.
  void AddString(PropertyList& list, const std::string& group, const std::string& name,
                 std::string_view text) {
    Add(list, group, name, text, true, 0);
  }
  // A number's text is empty, as the bulk read serves it.
  void AddNumber(PropertyList& list, const std::string& group, const std::string& name,
                 std::int32_t number) {
    Add(list, group, name, "", false, number);
  }

 private:
  void Add(PropertyList& list, const std::string& group, const std::string& name,
           std::string_view text, bool is_string, std::int32_t number) {
    if (list.size_ == 0) list.data_ = free_;  // a list begins where the last one ended
    if (free_ == end_ || list.data_ + list.size_ != free_) MoveToRoom(list);
    *free_++ = {group.c_str(),
                name.c_str(),
                text.data(),
                static_cast<std::uint32_t>(group.size()),
                static_cast<std::uint32_t>(name.size()),
                static_cast<std::uint32_t>(text.size()),
                number,
                is_string ? 1 : 0};
    ++list.size_;
  }
  // Puts the list at the free end of the newest block with room for one more, in a new
  // block when that has none; a list that was elsewhere leaves its old place unused.
  void MoveToRoom(PropertyList& list);

  // Blocks grow from a size for small models to one that makes the allocations of a large
  // model few.
  static constexpr std::size_t kFirstBlock = 256;
  static constexpr std::size_t kLargestBlock = 8192;

  std::vector<std::unique_ptr<Property[]>> blocks_;
  Property* free_ = nullptr;  // where the next property goes in the newest block
  Property* end_ = nullptr;   // the end of the newest block
  std::size_t next_block_ = kFirstBlock;
};

}  // namespace tavik::brenlo
