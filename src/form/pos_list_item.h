// The base of everything a layout group holds: a position, an order and a column.
#pragma once

#include <cstdint>

namespace tavik {

class CPosListItem {
 public:
  static constexpr std::int32_t kControlItem = 1;
  static constexpr std::int32_t kGroupItem = 2;

  explicit CPosListItem(std::int32_t item_kind) : kind(item_kind) {}
  virtual ~CPosListItem() = default;
  CPosListItem(const CPosListItem&) = delete;
  CPosListItem& operator=(const CPosListItem&) = delete;

  std::int32_t GetType() const { return kind; }

  float x = 0.0f;  // relative to the containing group's origin
  float y = 0.0f;
  std::int32_t kind;
  std::int32_t order = 0;
  std::int32_t column = 0;
};

}  // namespace tavik
