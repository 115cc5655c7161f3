// The properties of all a loaded model's lists, side by side in blocks that never move.
#include "brenlo/property_arena.h"

#include <algorithm>

namespace tavik::brenlo {

void PropertyArena::MoveToRoom(PropertyList& list) {
  const std::size_t needed = std::size_t{list.size_} + 1;
  // A list that fills the rest of the newest block moves on to the next with twice its room.
  if (static_cast<std::size_t>(end_ - free_) < needed) {
    const std::size_t size = std::max(next_block_, 2 * needed);
    blocks_.push_back(std::make_unique_for_overwrite<Property[]>(size));
    free_ = blocks_.back().get();
    end_ = free_ + size;
    next_block_ = std::min(next_block_ * 2, kLargestBlock);
  }
  if (list.size_ != 0) std::copy_n(list.data_, list.size_, free_);
  list.data_ = free_;
  free_ += list.size_;
}

}  // namespace tavik::brenlo
