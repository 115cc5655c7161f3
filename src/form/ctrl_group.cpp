// Layout groups: ordered items and column positions.
#include "form/ctrl_group.h"

#include <algorithm>

namespace tavik {

CCtrlGroup::CCtrlGroup(std::int32_t columns, float group_x, float group_y)
    : CPosListItem(kGroupItem), columns_(static_cast<std::size_t>(std::max(columns, 1)), 0) {
  x = group_x;
  y = group_y;
}

Status CCtrlGroup::AddItem(std::unique_ptr<CPosListItem> item) {
  if (!item) return kNoItem;
  // Nearly every item shares the group's order, so the place is almost always the end.
  auto before = items_.end();
  while (before != items_.begin() && (*std::prev(before))->order > item->order) --before;
  items_.insert(before, std::move(item));
  return kOk;
}

std::unique_ptr<CPosListItem> CCtrlGroup::RemoveItem(const CPosListItem* item) {
  auto found = std::find_if(items_.begin(), items_.end(),
                            [item](const auto& candidate) { return candidate.get() == item; });
  if (found == items_.end()) return nullptr;
  auto taken = std::move(*found);
  items_.erase(found);
  return taken;
}

Status CCtrlGroup::AddColumns(std::int32_t count) {
  if (count <= 0) return kNoColumn;
  columns_.resize(columns_.size() + static_cast<std::size_t>(count), 0);
  return kOk;
}

Status CCtrlGroup::SetColumnPosition(std::int32_t index, float position) {
  if (index < 0 || index >= GetColumnCount()) return kNoColumn;
  columns_[static_cast<std::size_t>(index)] = static_cast<std::int32_t>(position);
  return kOk;
}

float CCtrlGroup::GetColumnPosition(std::int32_t index) const {
  if (index < 0 || index >= GetColumnCount()) return 1.0f;
  return static_cast<float>(columns_[static_cast<std::size_t>(index)]);
}

}  // namespace tavik
