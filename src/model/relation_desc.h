// A relationship of the model: its properties and the ids of its key attributes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/status.h"
#include "model/nx_property_set.h"
#include "model/value.h"

namespace tavik {

class CRelationDesc {
 public:
  CRelationDesc();
  virtual ~CRelationDesc() = default;

  // Never fails: the status is there for the callers that pass it on.
  Status AddProperty(Value value, std::string_view name);
  std::optional<Value> GetProperty(std::string_view name) const;

  // Ids already present are ignored.
  void AddAttrib(std::uint16_t attribute_id);
  std::size_t GetAttribCount() const { return attribute_ids_.size(); }
  std::uint16_t GetAttrib(std::size_t index) const { return attribute_ids_[index]; }

 private:
  CNxPropertySet properties_;
  std::int32_t next_property_id_ = 3;
  std::vector<std::uint16_t> attribute_ids_;
  std::unordered_set<std::uint16_t> attribute_id_set_;
};

}  // namespace tavik
