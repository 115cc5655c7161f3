// One typed, named property of a property section.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "model/value.h"

namespace tavik {

struct PropertyInfo {
  std::string name;
  std::string text;
  std::string type_name;
  std::uint16_t type_code = 0xFFFF;
  bool known = false;
};

class CNxProperty {
 public:
  CNxProperty(std::int32_t id, Value value, std::string_view name);
  // For a name PropertyNames gave already, which spares the look-up. A reserved id is
  // refused as Set refuses it: the property keeps id 2 and an empty value.
  CNxProperty(std::int32_t id, Value&& value, const std::string* shared_name)
      : id_(IsReservedId(id) ? 2 : id),
        value_(IsReservedId(id) ? Value() : std::move(value)),
        name_(shared_name) {}

  // Refuses (false) ids 0 and 1, for the new id and for the present one.
  bool Set(std::int32_t id, Value value);
  // The value alone, for a property whose id is not reserved.
  void SetValue(Value&& value) { value_ = std::move(value); }

  std::int32_t GetId() const { return id_; }
  const std::string& GetName() const { return *name_; }
  const Value& GetValue() const { return value_; }
  // A copy of the value, or nothing for the types a variant copy cannot carry.
  std::optional<Value> ToVariant() const;
  // The value's text; made on each request, as most properties are written once.
  std::string GetText() const;
  void AppendText(std::string& text) const;
  PropertyInfo GetInfo() const;

 private:
  static bool IsReservedId(std::int32_t id) { return id == 0 || id == 1; }

  std::int32_t id_ = 2;
  Value value_;
  // Shared with every property of that name (PropertyNames).
  const std::string* name_;
};

}  // namespace tavik
