// A layout group: positioned items in columns, filled row by row; groups nest.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "base/status.h"
#include "form/pos_list_item.h"

namespace tavik {

class CCtrlGroup : public CPosListItem {
 public:
  // At least one column, each at position 0.
  CCtrlGroup(std::int32_t columns, float group_x, float group_y);

  // No columns to add or no column of that index; no item to add.
  enum GroupFault : Status { kNoColumn = 1, kNoItem = 2 };

  // Items are walked by ascending order, items of equal order as they were added.
  [[nodiscard]] Status AddItem(std::unique_ptr<CPosListItem> item);
  // Takes the item out and hands it back; null when it is not in the group.
  std::unique_ptr<CPosListItem> RemoveItem(const CPosListItem* item);
  // Drops every item picks(item) answers true for, in one walk.
  template <typename Picks>
  void DropItems(Picks picks) {
    items_.remove_if([&picks](const std::unique_ptr<CPosListItem>& item) { return picks(*item); });
  }
  const std::list<std::unique_ptr<CPosListItem>>& GetItems() const { return items_; }

  [[nodiscard]] Status AddColumns(std::int32_t count);
  [[nodiscard]] Status SetColumnPosition(std::int32_t index, float position);
  // 1.0 for an index outside the columns.
  float GetColumnPosition(std::int32_t index) const;
  std::int32_t GetColumnCount() const { return static_cast<std::int32_t>(columns_.size()); }

  std::uint16_t GetCurrentY() const { return current_y_; }
  void SetCurrentY(std::uint16_t next_y) { current_y_ = next_y; }

 private:
  std::list<std::unique_ptr<CPosListItem>> items_;
  std::vector<std::int32_t> columns_;
  std::uint16_t current_y_ = 0;
};

}  // namespace tavik
