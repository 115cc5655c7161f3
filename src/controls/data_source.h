// The data fields one data control of a running form reads: field and table names by index.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "base/status.h"

namespace tavik {

class CDataSource {
 public:
  // Copies the name; 1 on success, 0 on failure.
  std::int32_t Init(std::string_view name);

  const std::string& GetName() const { return name_; }

  // Store a copy under the index, in place of what was there; 1.
  std::int32_t AddFieldName(std::string_view name, std::uint16_t index);
  std::int32_t AddSourceTable(std::string_view name, std::uint16_t index);

  // The number of field names.
  std::int32_t GetCount() const { return static_cast<std::int32_t>(field_names_.size()); }
  // 1 and both names when the index has a field and a table, else 0 (the outputs untouched).
  std::int32_t GetIndexedItems(std::uint16_t index, std::string& field, std::string& table) const;

 private:
  std::string name_;
  std::map<std::uint16_t, std::string> field_names_;
  std::map<std::uint16_t, std::string> table_names_;
};

}  // namespace tavik
