// Reading property lists through the BR_ functions.
#include "model/property_list_reader.h"

#include <array>
#include <cstring>

#include "model/property_names.h"
#include "tavikfw/brenlo.h"

namespace tavik {

bool PropertyListReader::First() {
  return BR_GetFirstProperty(list_, &ignored_, &group_, &name_, &type_code_, &number_, &text_) == 0;
}

bool PropertyListReader::Next() {
  return BR_GetNextProperty(list_, &ignored_, &group_, &name_, &type_code_, &number_, &text_) == 0;
}

namespace {
// The model hands out one copy of each name for all its properties, so the process's
// shared copy of a name is remembered by the address of the model's. The text is
// compared all the same: a model loaded later may hold another name at that address.
const std::string& SharedName(const char* name) {
  struct Slot {
    const char* model_copy = nullptr;
    const std::string* shared = nullptr;
  };
  constexpr std::size_t kSlots = 64;
  thread_local std::array<Slot, kSlots> slots;
  const auto address = reinterpret_cast<std::uintptr_t>(name);
  Slot& slot = slots[((address >> 5) ^ (address >> 11)) % kSlots];
  if (slot.model_copy == name &&
      std::strncmp(name, slot.shared->data(), slot.shared->size()) == 0 &&
      name[slot.shared->size()] == '\0') {
    return *slot.shared;
  }
  const std::string& shared = PropertyNames::Intern(name);
  slot = {name, &shared};
  return shared;
}
}  // namespace

ModelProperty PropertyListReader::Current() {
  if (group_ != measured_group_) {
    measured_group_ = group_;
    group_view_ = group_ ? group_ : "";
  }
  const bool is_string = type_code_ && type_code_[0] == 'S';
  return {group_view_, &SharedName(name_ ? name_ : ""),
          is_string ? Value::String(text_ ? text_ : "") : Value::Long(number_)};
}

}  // namespace tavik
